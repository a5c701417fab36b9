// CProgressCtrl: the common controls' progress bar ("msctls_progress32").
#pragma once
#include "Wnd.h"
#include <commctrl.h>

class CProgressCtrl : public CWnd
{
public:
    // PBM_SETRANGE: 16-bit bounds; returns the previous range.
    DWORD SetRange(short nLower, short nUpper)
    {
        return (DWORD)SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper));
    }
    int SetPos(int nPos) { return (int)SendMessage(PBM_SETPOS, nPos, 0); }
    int SetStep(int nStep) { return (int)SendMessage(PBM_SETSTEP, nStep, 0); }
    // PBM_STEPIT: returns the position before the step.
    int StepIt() { return (int)SendMessage(PBM_STEPIT, 0, 0); }
};
