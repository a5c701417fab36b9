// CPage3: runs the installation half a second after it is first shown,
// then moves on to the finish page by itself.
#pragma once
#include "../framework/ProgressCtrl.h"
#include "../framework/PropertyPage.h"
#include "Strip.h"

class CPage3 : public CPropertyPage
{
    DECLARE_DYNCREATE(CPage3)
public:
    CPage3();
    virtual ~CPage3();

    CWnd* m_pSheet;  // the CMainPage, once the page has a window
    CProgressCtrl m_ctlProgress;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual BOOL OnSetActive();

    void OnTimer(UINT_PTR nIDEvent);

    DECLARE_MESSAGE_MAP()

private:
    void RunInstall();

    CStrip m_strip;
};
