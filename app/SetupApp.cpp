#include "SetupApp.h"
#include "AdministratorCheck.h"
#include "ModeSelection.h"
#include "SingleSetup.h"
#include "../wizard/MainPage.h"

namespace {

const char PRODUCT_WINDOW_TITLE[] = "Varnolt";
// A hung product must not hold setup for ever.
const UINT PRODUCT_CLOSE_TIMEOUT_MS = 5000;

}

CSetupApp::CSetupApp() : CWinApp(NULL) {}

CSetupApp::~CSetupApp() {}

BOOL CSetupApp::InitInstance()
{
    // Before any box and before the product is asked to close: a second
    // setup shows nothing and touches nothing.
    if (!ClaimSingleSetup())
        return FALSE;
    Enable3dControls();
    if (!IsAdministrator()) {
        ::MessageBoxA(NULL, "管理者権限がありません。", "ERROR", MB_ICONERROR);
        return FALSE;
    }

    CString word = GetCommandLineWord(::GetCommandLineA());

    HWND hProduct = ::FindWindowA(NULL, PRODUCT_WINDOW_TITLE);
    if (hProduct) {
        DWORD_PTR result;
        ::SendMessageTimeoutA(hProduct, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, PRODUCT_CLOSE_TIMEOUT_MS, &result);
    }

    if (IsRemovalWord(word)) {
        RunRemoval();
    } else {
        CMainPage sheet("インストーラ", NULL, 0);
        m_pMainWnd = &sheet;
        sheet.DoModal();
        m_pMainWnd = NULL;
    }
    return FALSE;
}

void CSetupApp::AppendFailure(CString& failureReport, const char* pszWhat, const char* pszItem)
{
    failureReport += pszWhat;
    failureReport += pszItem;
    failureReport += "\n";
}

void CSetupApp::ShowFailureReport(const CString& failureReport)
{
    ::MessageBoxA(NULL, CString("下記の内容が失敗しました。\n\n") + failureReport, "ERROR!", MB_ICONINFORMATION);
}
