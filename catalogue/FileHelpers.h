// Small stateless path and file helpers shared by installation, removal and
// the wizard. Paths are multibyte text; only the backslash separates.
#pragma once
#include "../framework/String.h"

// Folder of the running program file, without a trailing backslash; empty
// when the system cannot tell.
CString GetModuleFolder();
// The Windows system folder; empty when the system cannot tell.
CString GetSystemFolder();
// The all-users Start-menu Programs folder, made if missing; empty when the
// shell cannot name it.
CString GetCommonProgramsFolder();
// The program group's folder in the Programs folder given; empty when that
// folder or the group's name is unknown.
CString GetProgramGroupFolder(const CString& programsFolder);
// folder\name, or the bare name when the folder could not be located: a
// path is never built from the root of the current drive.
CString JoinPath(const CString& folder, const char* name);
// Whether files with names of up to nameLength characters can be placed in
// the folder and found again: a full path (drive letter, colon, backslash,
// or \\server\share) whose root exists, without characters Windows forbids
// in names, and short enough for MAX_PATH.
BOOL IsUsableFolder(const CString& path, int nameLength);
// The text before the last backslash; empty when there is none.
CString GetParentFolder(const CString& path);
// Anything, file or folder, at the path.
BOOL PathExists(const CString& path);
// Creates the folder after its missing parents; false for a folder that
// exists already or one that cannot be made.
BOOL CreateFolderTree(CString path);
// Copies source to target, overwriting it, after making the target's folder.
// The copy is never read-only, whatever the source was (a CD, say).
BOOL CopyInstallFile(CString source, CString target);
BOOL DeleteInstalledFile(CString path);
