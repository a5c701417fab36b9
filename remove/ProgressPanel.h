// CProgressPanel: the modeless window that shows how far a removal has got,
// as a bar and as a percentage. It keeps itself painted by draining the
// thread's messages before every step.
#pragma once
#include "../framework/Dialog.h"
#include "../framework/ProgressCtrl.h"

class CProgressPanel : public CDialog
{
public:
    // nCaptionId: the string loaded as caption; 0 for the default.
    explicit CProgressPanel(UINT nCaptionId = 0);
    virtual ~CProgressPanel();

    // Disables an enabled owner for the panel's life.
    BOOL Create(CWnd* pParentWnd = NULL);
    // Both setters keep the value, so they may come before Create.
    DWORD SetRange(int nLower, int nUpper);
    int SetStep(int nStep);
    // Drains pending messages, steps the bar; returns the position before.
    int StepIt();
    virtual BOOL DestroyWindow();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    // The user cannot dismiss the panel.
    virtual void OnOK() {}
    virtual void OnCancel() {}

    CProgressCtrl m_ctlProgress;
    UINT m_nCaptionId;
    int m_nRangeLow;
    int m_nRangeHigh;
    int m_nStepSize;
    BOOL m_bOwnerDisabled;

private:
    void DrainMessages();
    void RefreshPercent(int nPos);
    void RestoreOwner();
};
