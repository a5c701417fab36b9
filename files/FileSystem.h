// Folders made and files deleted for the install, and the checks that keep
// an elevated setup from writing through a link someone planted.
#pragma once
#include "../framework/String.h"

// Anything, file or folder, at the path.
BOOL PathExists(const CString& path);
// Creates the folder after its missing parents; false for a folder that
// exists already or one that cannot be made.
BOOL CreateFolderTree(CString path);
// Whether the open file is a plain file (no link of any kind, one name) that
// lies where the full path names it, and not where a junction above it leads.
BOOL IsPlainFileAt(HANDLE hFile, const CString& fullPath);
// Deletes the file once its last handle is closed (Vista on; FALSE before),
// by the handle rather than by a name someone could have moved.
BOOL DeleteOpenFile(HANDLE hFile);
// Deletes a file, read-only or not; a file that stays keeps its attributes.
BOOL DeleteInstalledFile(CString path);
