#include "MainPage.h"
#include "../framework/WinApp.h"
#include "../res/resource.h"

IMPLEMENT_DYNAMIC(CMainPage, CPropertySheet)

CMainPage::CMainPage(const char* pszCaption, COutcome& outcome, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage), InstallSettings(), m_outcome(outcome), m_bInstallFolderTaken(FALSE)
{
    m_psh.hIcon = ::LoadIconA(AfxFindResourceHandle(MAKEINTRESOURCEA(IDI_SETUP), RT_GROUP_ICON),
                              MAKEINTRESOURCEA(IDI_SETUP));
    AddPage(&m_page1);
    AddPage(&m_page2);
    AddPage(&m_page3);
    AddPage(&m_page4);
    m_psh.dwFlags |= PSH_WIZARD | PSH_USEHICON;
}

CMainPage::~CMainPage() {}

BEGIN_MESSAGE_MAP(CMainPage, CPropertySheet)
END_MESSAGE_MAP()
