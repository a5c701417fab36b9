#include "SetupApp.h"
#include "AdministratorCheck.h"
#include "ModeSelection.h"
#include "SingleSetup.h"
#include "../catalogue/FileHelpers.h"
#include "../remove/RemovalRun.h"
#include "../wizard/MainPage.h"

namespace {

const char PRODUCT_WINDOW_TITLE[] = "Varnolt";
// A hung product must not hold setup for ever.
const UINT PRODUCT_CLOSE_TIMEOUT_MS = 5000;

}

CSetupApp::CSetupApp() : CWinApp(NULL), m_hOwnProgram(INVALID_HANDLE_VALUE) {}

CSetupApp::~CSetupApp() {}

BOOL CSetupApp::InitInstance()
{
    m_hOwnProgram = OpenOwnProgramFile();
    // Before anything else is shown and before the product is asked to
    // close: a second setup touches nothing, and says so only when it cannot
    // hand over to the first.
    BOOL handedOver;
    if (!ClaimSingleSetup(&handedOver)) {
        if (!handedOver)
            m_outcome.MessageBox(NULL, "別のセットアップが実行中です。", "ERROR", MB_ICONERROR);
        m_outcome.SetExitCode(ERROR_INSTALL_ALREADY_RUNNING);
        return FALSE;
    }
    Enable3dControls();
    if (!IsAdministrator()) {
        m_outcome.MessageBox(NULL, "管理者権限がありません。", "ERROR", MB_ICONERROR);
        m_outcome.SetExitCode(ERROR_ACCESS_DENIED);
        return FALSE;
    }

    CString word = GetCommandLineWord(::GetCommandLineA());

    HWND hProduct = ::FindWindowA(NULL, PRODUCT_WINDOW_TITLE);
    if (hProduct) {
        DWORD_PTR result;
        ::SendMessageTimeoutA(hProduct, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, PRODUCT_CLOSE_TIMEOUT_MS, &result);
    }

    if (IsRemovalWord(word)) {
        CRemovalRun removal(m_outcome);
        removal.Run();
    } else {
        // Until the install has run, leaving the wizard is a cancel.
        m_outcome.SetExitCode(ERROR_INSTALL_USEREXIT);
        CMainPage sheet("インストーラ", m_outcome);
        sheet.m_hSetupProgram = m_hOwnProgram;
        m_pMainWnd = &sheet;
        sheet.DoModal();
        m_pMainWnd = NULL;
    }
    return FALSE;
}

int CSetupApp::ExitInstance() { return m_outcome.Finish(); }
