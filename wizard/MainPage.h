// CMainPage: the install wizard. It owns the four pages and the install
// settings that the pages and the install operations share.
#pragma once
#include "../framework/PropertySheet.h"
#include "../install/InstallSettings.h"
#include "../outcome/Outcome.h"
#include "Page1.h"
#include "Page2.h"
#include "Page3.h"
#include "Page4.h"

// The wizard holds the install settings: written by page 2, read by pages 3
// and 4; page 3 hands them to the install operations.
class CMainPage : public CPropertySheet, public InstallSettings
{
    DECLARE_DYNAMIC(CMainPage)
public:
    // outcome: where the pages' boxes and the install's result go.
    CMainPage(const char* pszCaption, COutcome& outcome, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~CMainPage();

    COutcome& m_outcome;
    // Whether page 3 installed into a folder it could take; page 4 starts
    // nothing from one it could not.
    BOOL m_bInstallFolderTaken;

    CPage1 m_page1;
    CPage2 m_page2;
    CPage3 m_page3;
    CPage4 m_page4;

    DECLARE_MESSAGE_MAP()
};
