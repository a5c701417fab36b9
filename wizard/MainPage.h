// CMainPage: the install wizard. It owns the four pages and the install
// settings that the pages and the install operations share.
#pragma once
#include "../catalogue/MediaCheck.h"
#include "../framework/PropertySheet.h"
#include "Page1.h"
#include "Page2.h"
#include "Page3.h"
#include "Page4.h"

class CMainPage : public CPropertySheet
{
    DECLARE_DYNAMIC(CMainPage)
public:
    CMainPage(const char* pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~CMainPage();

    // The install settings: written by page 2, read by pages 3 and 4 and by
    // the install operations. No trailing backslash in the defaults.
    CString m_strInstallPath;
    CString m_strProgramsFolder;  // the all-users Programs folder; the links go into its group
    CString m_strSystemFolder;
    int m_bCreateShortcuts;
    // Checks the media's files before the install copies them.
    CMediaCheck m_mediaCheck;

    CPage1 m_page1;
    CPage2 m_page2;
    CPage3 m_page3;
    CPage4 m_page4;

    DECLARE_MESSAGE_MAP()
};
