// What Windows the program runs on, and the folders it names there. Calls
// that the older family or NT 4 lack are looked up at run time, so that the
// program still loads there.
#pragma once
#include "../framework/String.h"

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
// A 32-bit program on 64-bit Windows: the system folder and HKLM\SOFTWARE
// it sees are redirected.
BOOL IsWow64();

// The Windows folder shared by all users, also on a terminal server.
CString GetWindowsFolder();
// The path made full, with the part of it that exists in its long form
// ("C:\PROGRA~1\New" as "C:\Program Files\New"); as given when it cannot
// be made full.
CString GetLongFolderPath(const CString& path);
// Whether a full path (in its long form) is the Windows folder or lies below
// it, or is one of the folders all programs or users share: Program Files
// (and its x86 twin), the system folder, the folder of the user profiles,
// the user's own profile, the all-users application data.
BOOL IsSharedFolder(const CString& longPath);

// The folder whose control.exe loads an applet installed into the system
// folder: the system folder itself, but for a 32-bit program on 64-bit
// Windows (the 32-bit system folder, where the applet went) and the older
// family (the Windows folder).
CString ChooseAppletHostFolder(BOOL bWow64, BOOL bWindowsNT, const CString& systemFolder,
                               const CString& wow64SystemFolder, const CString& windowsFolder);
CString GetAppletHostFolder(const CString& systemFolder);
