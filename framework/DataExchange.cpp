#include "DataExchange.h"

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (!rControl.m_hWnd)
        rControl.Attach(pDX->m_pDlgWnd->GetDlgItem(nIDC));
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    CWnd control;
    control.Attach(pDX->m_pDlgWnd->GetDlgItem(nIDC));
    if (!control.m_hWnd)
        return;
    if (pDX->m_bSaveAndValidate)
        control.GetWindowText(value);
    else
        control.SetWindowText(value);
}
