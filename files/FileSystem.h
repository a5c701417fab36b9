// Folders made and files deleted for the install, and the checks that keep
// an elevated setup from changing anything through a link someone planted:
// attributes and deletions go through a handle on the name itself, checked
// first.
#pragma once
#include "../framework/String.h"

// Anything, file or folder, at the path.
BOOL PathExists(const CString& path);
// Creates the folder after its missing parents, each with the access list
// of a folder of ours; false for a folder that exists already or one that
// cannot be made.
BOOL CreateFolderTree(CString path);
// Opens the name itself (a link, not what it leads to; a folder too) with
// the access and sharing given.
HANDLE OpenName(const CString& path, DWORD access, DWORD share);
// A file with one name that is no link (nor a folder): changing it changes
// nothing else.
BOOL IsPlainFile(const BY_HANDLE_FILE_INFORMATION& information);
// Deletes the file once its last handle is closed (the NT family only), by
// the handle rather than by a name someone could have moved.
BOOL DeleteOpenFile(HANDLE hFile);
// Deletes a file (or the link at its name, never what it leads to), and
// only when its SHA-256 is pExpectedDigest, if one is given. A read-only
// file is deleted too, unless it has a second name, whose file would lose
// its attribute with it; a file that stays keeps its attributes.
BOOL DeleteInstalledFile(CString path, const BYTE* pExpectedDigest = NULL);
// Sets the attributes of the open file (FILE_WRITE_ATTRIBUTES), the NT
// family only.
BOOL SetAttributesOf(HANDLE hFile, DWORD attributes);
