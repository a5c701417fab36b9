// The process entry: harden the process, then hand over to AfxWinMain.
// The program starts here rather than in the C runtime's start-up code:
// msvcrt.dll readies itself as it loads, and all the program needs besides
// is its static objects constructed. That start-up code (its argument and
// TLS set-up, pseudo-relocations, signal and maths handlers) was a tenth of
// the program.
#include "WinApp.h"

extern "C" void __main();

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

// The command line after the program's name, as WinMain receives it.
LPSTR CommandLineArguments()
{
    LPSTR text = ::GetCommandLineA();
    BOOL quoted = FALSE;
    for (; *text && (quoted || (*text != ' ' && *text != '\t')); ++text)
        if (*text == '"')
            quoted = !quoted;
    while (*text == ' ' || *text == '\t')
        ++text;
    return text;
}

}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    HardenProcess();
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}

// Static objects live until the process ends, and the system takes back all
// they hold: nothing is registered to destroy them.
extern "C" int atexit(void (*)()) { return 0; }

extern "C" __attribute__((used, force_align_arg_pointer)) void WinMainCRTStartup()
{
    // The static objects first, the application object among them.
    __main();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    ::GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    ::ExitProcess(WinMain(::GetModuleHandleA(NULL), NULL, CommandLineArguments(), show));
}
