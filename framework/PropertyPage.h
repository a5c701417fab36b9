// CPropertyPage: one page of a CPropertySheet, served by CWnd::DialogProc
// like any dialog of ours. The sheet's notifications reach the overridables
// below; this class alone turns their results into what comctl32 reads.
#pragma once
#include "Dialog.h"
#include <commctrl.h>

class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    // nIDCaption 0: the page's title is its template's caption.
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);

    // Disables the sheet's Cancel button for the rest of its run.
    void CancelToClose();

    // FALSE refuses the activation.
    virtual BOOL OnSetActive();
    // 0 goes on, -1 stays, anything else is the template id of the page to show.
    virtual LRESULT OnWizardNext();
    // FALSE keeps the wizard open.
    virtual BOOL OnWizardFinish();

    PROPSHEETPAGEA m_psp;

protected:
    // A page's OK and Cancel are the sheet's buttons, not the page's own.
    virtual void OnOK() {}
    virtual void OnCancel() {}

    DECLARE_MESSAGE_MAP()

private:
    LRESULT OnSetActiveNotify();
    LRESULT OnWizardFinishNotify();

    CString m_strCaption;
};
