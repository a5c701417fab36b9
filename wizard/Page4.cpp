#include "Page4.h"
#include "../res/resource.h"
#include "MainPage.h"

IMPLEMENT_DYNCREATE(CPage4, CPropertyPage)

CPage4::CPage4() : CPropertyPage(IDD_FINISH_PAGE, 0) {}

CPage4::~CPage4() {}

BEGIN_MESSAGE_MAP(CPage4, CPropertyPage)
END_MESSAGE_MAP()

BOOL CPage4::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    // Until the restart puts a waiting copy in place, the product would run
    // new and old files together: it is not offered.
    CMainPage* pSheet = static_cast<CMainPage*>(CWnd::FromHandle(GetParent()));
    BOOL offered = pSheet && !pSheet->m_outcome.CopyWaitsForRestart();
    CheckDlgButton(IDC_LAUNCH_PRODUCT, offered ? BST_CHECKED : BST_UNCHECKED);
    ::EnableWindow(GetDlgItem(IDC_LAUNCH_PRODUCT), offered);
    UpdateData(FALSE);
    return TRUE;
}

BOOL CPage4::OnSetActive()
{
    m_strip.FitToFrame(GetDlgItem(IDC_STRIP));
    ::PostMessageA(GetParent(), PSM_SETWIZBUTTONS, 0, PSWIZB_FINISH);
    return CPropertyPage::OnSetActive();
}

BOOL CPage4::OnWizardFinish()
{
    UpdateData(TRUE);
    if (IsDlgButtonChecked(IDC_LAUNCH_PRODUCT))
        LaunchProduct();
    return CPropertyPage::OnWizardFinish();
}

void CPage4::LaunchProduct()
{
    CMainPage* pSheet = static_cast<CMainPage*>(CWnd::FromHandle(GetParent()));
    if (!pSheet || !pSheet->m_bInstallFolderTaken)
        return;
    CString program;
    program.Format("%s\\VarnX.exe", (const char*)pSheet->m_strInstallPath);
    // Named and quoted: with the folder below "C:\Program Files", an unquoted
    // line would let a C:\Program.exe start instead.
    CString commandLine;
    commandLine.Format("\"%s\"", (const char*)program);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(program, commandLine.GetBuffer(commandLine.GetLength()), NULL, NULL, TRUE, 0, NULL, NULL,
                          &startup, &process))
        return;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}
