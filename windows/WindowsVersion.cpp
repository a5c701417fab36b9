#include "WindowsVersion.h"

namespace {

typedef BOOL(WINAPI* IsWow64ProcessFn)(HANDLE, PBOOL);

// The NT family's version as major * 100 + minor; 0 on the older family.
DWORD GetWindowsNTVersion()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!::GetVersionExA(&version) || version.dwPlatformId != VER_PLATFORM_WIN32_NT)
        return 0;
    return version.dwMajorVersion * 100 + version.dwMinorVersion;
}

}

FARPROC FindKernelFunction(const char* pszName)
{
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    return kernel ? ::GetProcAddress(kernel, pszName) : NULL;
}

BOOL IsWindowsNT() { return GetWindowsNTVersion() > 0; }

BOOL IsWindows2000OrLater() { return GetWindowsNTVersion() >= 500; }

BOOL IsWindows7OrLater() { return GetWindowsNTVersion() >= 601; }

BOOL IsWow64()
{
    IsWow64ProcessFn isWow64Process = FindKernelFunction<IsWow64ProcessFn>("IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64Process && isWow64Process(::GetCurrentProcess(), &wow64) && wow64;
}
