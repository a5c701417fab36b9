// CDialog: a modeless dialog from a resource template, served by
// CWnd::DialogProc.
#pragma once
#include "Wnd.h"

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();

    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    BOOL EndDialog(int nResult);
    BOOL IsDialogMessage(MSG* pMsg);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

protected:
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()
};
