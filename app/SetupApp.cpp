#include "SetupApp.h"
#include "../files/OwnProgram.h"
#include "../remove/RemovalRun.h"
#include "../wizard/MainPage.h"
#include "AdministratorCheck.h"
#include "ModeSelection.h"
#include "QuietInstall.h"
#include "SingleSetup.h"
#include "../windows/WindowsVersion.h"

namespace {

const char PRODUCT_WINDOW_TITLE[] = "Varnolt";
// A hung product must not hold setup for ever.
const UINT PRODUCT_CLOSE_TIMEOUT_MS = 5000;
const DWORD PRODUCT_EXIT_TIMEOUT_MS = 10000;

typedef BOOL(WINAPI* SetDefaultDllDirectoriesFn)(DWORD);

}

CSetupApp::CSetupApp() : CWinApp(NULL), m_hOwnProgram(INVALID_HANDLE_VALUE) {}

CSetupApp::~CSetupApp() {}

BOOL CSetupApp::InitApplication()
{
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // A DLL planted beside the program (say, in a download folder) must
    // never be loaded in place of the system's. Vista's
    // SetDefaultDllDirectories (from an update) breaks the shell-link
    // object, so it is used from Windows 7 on only.
    SetDefaultDllDirectoriesFn setDefaultDllDirectories =
        IsWindows7OrLater() ? FindKernelFunction<SetDefaultDllDirectoriesFn>("SetDefaultDllDirectories") : NULL;
    if (setDefaultDllDirectories)
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    return TRUE;
}

BOOL CSetupApp::InitInstance()
{
    m_hOwnProgram = OpenOwnProgramFile();
    CommandLineOptions options = ParseCommandLineOptions(::GetCommandLineA());
    m_outcome.SetQuiet(options.bQuiet);
    m_outcome.SetLogFile(options.strLogFile);
    if (options.bHelp) {
        m_outcome.MessageBox(NULL, COMMAND_LINE_HELP, "Setup", MB_ICONINFORMATION);
        return FALSE;
    }
    if (IsRefusedQuietLine(options)) {
        m_outcome.SetExitCode(ERROR_INVALID_COMMAND_LINE);
        return FALSE;
    }

    Enable3dControls();
    // Without the rights, the claim's global name could not be made either.
    if (!IsAdministrator()) {
        m_outcome.MessageBox(NULL, "管理者権限がありません。", "ERROR", MB_ICONERROR);
        m_outcome.SetExitCode(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    // Before the product is asked to close: a second setup touches nothing,
    // and says so unless it hands over to the first, whose window a person
    // then finds in front.
    BOOL handedOver = FALSE;
    if (!ClaimSingleSetup(!options.bQuiet, &handedOver)) {
        if (!handedOver)
            m_outcome.MessageBox(NULL, "別のセットアップが実行中です。", "ERROR", MB_ICONERROR);
        m_outcome.SetExitCode(ERROR_INSTALL_ALREADY_RUNNING);
        return FALSE;
    }
    CQuietInstall quietInstall(m_outcome, m_hOwnProgram);
    if (options.bQuiet && !options.bRemoval &&
        !quietInstall.TakeDestination(options.bDestinationGiven, options.strDestination))
        return FALSE;

    // Its files are free only once its process has ended, which it may
    // take a while to do after its window has gone. The process is opened
    // first, so that its id cannot be another's by the time it is waited for.
    HWND hProduct = ::FindWindowA(NULL, PRODUCT_WINDOW_TITLE);
    if (hProduct) {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(hProduct, &processId);
        HANDLE hProcess = ::OpenProcess(SYNCHRONIZE, FALSE, processId);
        DWORD_PTR result;
        // Without a handle there is nothing to wait for, nor to close.
        if (::SendMessageTimeoutA(hProduct, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, PRODUCT_CLOSE_TIMEOUT_MS, &result))
            ::WaitForSingleObject(hProcess, PRODUCT_EXIT_TIMEOUT_MS);
        ::CloseHandle(hProcess);
    }

    if (options.bRemoval) {
        CRemovalRun removalRun(m_outcome);
        removalRun.Run();
    } else if (options.bQuiet) {
        quietInstall.Run();
    } else {
        // Until the install has run, leaving the wizard is a cancel.
        m_outcome.SetExitCode(ERROR_INSTALL_USEREXIT);
        CMainPage sheet("インストーラ", m_outcome);
        sheet.m_hSetupProgram = m_hOwnProgram;
        m_pMainWnd = &sheet;
        if (sheet.DoModal() < 0)
            m_outcome.SetExitCode(ERROR_INSTALL_FAILURE);
        m_pMainWnd = NULL;
    }
    return FALSE;
}

int CSetupApp::ExitInstance() { return m_outcome.Finish(); }
