// The process entry: harden the process, then hand over to AfxWinMain.
#include "WinApp.h"

namespace {

typedef BOOL(WINAPI* SetDefaultDllDirectoriesFn)(DWORD);

BOOL IsWindows7OrLater()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!::GetVersionExA(&version))
        return FALSE;
    return version.dwMajorVersion > 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion >= 1);
}

// A DLL planted beside the program (say, in a download folder) must never be
// loaded in place of the system's. Vista's SetDefaultDllDirectories (from an
// update) breaks the shell-link object, so it is used from Windows 7 on only.
void HardenProcess()
{
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    if (!IsWindows7OrLater())
        return;
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    SetDefaultDllDirectoriesFn setDefaultDllDirectories = kernel
        ? reinterpret_cast<SetDefaultDllDirectoriesFn>(
              reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")))
        : NULL;
    if (setDefaultDllDirectories)
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    HardenProcess();
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
