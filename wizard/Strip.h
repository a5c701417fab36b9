// CStrip: the picture down the left of every page. Its frame comes from the
// page's template in dialog units, so it grows with the display's scale; the
// picture (bitmap 131) is drawn once at the frame's size and then shown 1:1.
// The sheet sizes the pages in units of its own font, and at some scales
// (144 dpi) page 1 comes out a pixel shorter than the strip its template
// holds: the frame then ends with the page.
#pragma once
#include <windows.h>

class CStrip
{
public:
    CStrip();
    ~CStrip();

    // hStrip: the page's SS_BITMAP | SS_REALSIZECONTROL static, holding the
    // picture it loaded from the template. Called as the page is shown,
    // once the sheet has sized it.
    void FitToFrame(HWND hStrip);

private:
    CStrip(const CStrip&);
    CStrip& operator=(const CStrip&);

    HBITMAP m_hFitted;  // shown by the static, which leaves deleting it to us
};
