// The folders Windows names: its own, the system folder, Program Files, the
// profiles, the Start menu's Programs. Each is empty when Windows cannot
// name it, and never ends in a backslash.
#pragma once
#include "../framework/String.h"

// The Windows folder shared by all users, also on a terminal server.
CString GetWindowsFolder();
CString GetSystemFolder();
// The machine's Program Files and Program Files (x86), and the folder of
// the user profiles, as its settings name them in the 64-bit view (which a
// 32-bit program's own view hides).
CString GetProgramFilesFolder();
CString GetProgramFilesX86Folder();
CString GetProfilesFolder();
// The Program Files folder of the program's own view: the x86 one for a
// 32-bit program on 64-bit Windows.
CString GetOwnProgramFilesFolder();
// The user's own profile, and the application data all users share.
CString GetUserProfileFolder();
CString GetCommonAppDataFolder();
// The all-users Start-menu Programs folder, made if missing.
CString GetCommonProgramsFolder();

// The folder whose control.exe loads an applet installed into the system
// folder: the system folder itself, but for a 32-bit program on 64-bit
// Windows (the 32-bit system folder, where the applet went) and the older
// family (the Windows folder).
CString ChooseAppletHostFolder(BOOL bWow64, BOOL bWindowsNT, const CString& systemFolder,
                               const CString& wow64SystemFolder, const CString& windowsFolder);
CString GetAppletHostFolder(const CString& systemFolder);
// The name Windows itself gives a path in the program's view: a 32-bit
// program on 64-bit Windows names the system folder, whose files lie in the
// 32-bit system folder. What the next restart carries out is read outside
// that view, so it must name them there.
CString UnredirectedPath(const CString& path, const CString& systemFolder, const CString& wow64SystemFolder);
CString GetUnredirectedPath(const CString& path);
