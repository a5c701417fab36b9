#include "Page3.h"
#include "../catalogue/ItemCatalogue.h"
#include "../framework/DataExchange.h"
#include "../install/InstallOperations.h"
#include "../res/resource.h"
#include "MainPage.h"

IMPLEMENT_DYNCREATE(CPage3, CPropertyPage)

namespace {
// One shot: the page is painted before the work blocks its thread.
const UINT_PTR INSTALL_TIMER_ID = 1;
const UINT INSTALL_DELAY_MS = 500;
}

CPage3::CPage3() : CPropertyPage(IDD_PROGRESS_PAGE, 0), m_pSheet(NULL) {}

CPage3::~CPage3() {}

BEGIN_MESSAGE_MAP(CPage3, CPropertyPage)
    ON_WM_TIMER()
END_MESSAGE_MAP()

void CPage3::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_INSTALL_PROGRESS, m_ctlProgress);
}

BOOL CPage3::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_pSheet = CWnd::FromHandle(GetParent());
    CancelToClose();
    SetTimer(INSTALL_TIMER_ID, INSTALL_DELAY_MS);
    return TRUE;
}

BOOL CPage3::OnSetActive()
{
    m_strip.FitToFrame(GetDlgItem(IDC_STRIP));
    if (m_pSheet)
        m_pSheet->PostMessage(PSM_SETWIZBUTTONS, 0, 0);
    return CPropertyPage::OnSetActive();
}

void CPage3::OnTimer(UINT_PTR)
{
    KillTimer(INSTALL_TIMER_ID);
    RunInstall();
}

void CPage3::RunInstall()
{
    CMainPage* pSheet = static_cast<CMainPage*>(m_pSheet);
    if (!pSheet)
        return;
    m_ctlProgress.SetStep(1);
    m_ctlProgress.SetRange(0, CATALOGUE_STEPS);
    CShownProgress<CProgressCtrl> progress(m_ctlProgress);
    CFailureList failures;
    CRestartList restarts;
    CInstallOperations operations(*pSheet, progress, failures, restarts);
    pSheet->m_bInstallFolderTaken = operations.Run();

    pSheet->m_outcome.ReportWalk(failures, restarts);
    m_pSheet->PostMessage(PSM_SETWIZBUTTONS, 0, PSWIZB_NEXT);
    m_pSheet->SendMessage(PSM_PRESSBUTTON, PSBTN_NEXT, 0);
}
