// CPage2: the destination folder and the choice of Start-menu shortcuts.
#pragma once
#include "../destination/InstallDestination.h"
#include "../framework/PropertyPage.h"
#include "Strip.h"

class CPage2 : public CPropertyPage
{
    DECLARE_DYNCREATE(CPage2)
public:
    CPage2();
    virtual ~CPage2();

    CWnd* m_pSheet;  // the CMainPage, once the page has a window
    CString m_strProgramsFolder;
    CString m_strSystemFolder;
    CString m_strInstallPath;
    RegisteredInstall m_registered;  // an earlier install, this build's or the other's

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual BOOL OnSetActive();
    virtual LRESULT OnWizardNext();

    void OnBrowse();
    void OnKillFocusPath();

    DECLARE_MESSAGE_MAP()

private:
    void FocusDestination();

    CStrip m_strip;
};
