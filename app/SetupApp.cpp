#include "SetupApp.h"
#include "AdministratorCheck.h"
#include "ModeSelection.h"

namespace {

const char PRODUCT_WINDOW_TITLE[] = "Varnolt";
// A hung product must not hold setup for ever.
const UINT PRODUCT_CLOSE_TIMEOUT_MS = 5000;

}

CSetupApp::CSetupApp() : CWinApp(NULL) {}

CSetupApp::~CSetupApp() {}

BEGIN_MESSAGE_MAP(CSetupApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

BOOL CSetupApp::InitInstance()
{
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

    if (IsRemovalWord(word))
        RunRemoval();
    return FALSE;
}
