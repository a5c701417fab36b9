// Dialog data exchange between controls and the members bound to them.
#pragma once
#include "Wnd.h"

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;  // TRUE: controls to members
    CWnd* m_pDlgWnd;
};

// Binds rControl to the control nIDC of the dialog, once.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// Moves the text of the control nIDC into value, or value into the control.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
