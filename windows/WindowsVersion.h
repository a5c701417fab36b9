// Which Windows the program runs on. Calls that the older family or NT 4
// lack are looked up at run time, so that the program still loads there.
#pragma once
#include <windows.h>

// A function of kernel32 that some Windows lack, as the type given; null
// there.
FARPROC FindKernelFunction(const char* pszName);
template <class Fn>
Fn FindKernelFunction(const char* pszName)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(FindKernelFunction(pszName)));
}

BOOL IsWindowsNT();
// Windows 2000 or later: kernel object names have namespaces.
BOOL IsWindows2000OrLater();
BOOL IsWindows7OrLater();
// A 32-bit program on 64-bit Windows: the system folder and HKLM\SOFTWARE
// it sees are redirected.
BOOL IsWow64();
