// CStrip: the picture down the left of every page. Its frame comes from the
// page's template in dialog units, so it grows with the display's scale; the
// picture (bitmap 131) is drawn once at the frame's size and then shown 1:1.
#pragma once
#include <windows.h>

class CStrip
{
public:
    CStrip();
    ~CStrip();

    // hStrip: the page's SS_BITMAP | SS_REALSIZECONTROL static, holding the
    // picture it loaded from the template.
    void FitToFrame(HWND hStrip);

private:
    CStrip(const CStrip&);
    CStrip& operator=(const CStrip&);

    HBITMAP m_hFitted;  // shown by the static, which leaves deleting it to us
};
