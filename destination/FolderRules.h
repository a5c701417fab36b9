// The rules a folder must pass to hold an install: a folder that Windows
// keeps as named, that the install can fill and find again, and that is
// nobody else's (not Windows' own, not a folder all programs or users
// share, not the media the product came from).
#pragma once
#include "../framework/String.h"

// Whether a full path (in its long form) is the Windows folder or lies below
// it, or is one of the folders all programs or users share: Program Files
// (and its x86 twin), the system folder, the folder of the user profiles
// and every profile in it, the user's own profile wherever it lies, the
// all-users application data.
BOOL IsSharedFolder(const CString& longPath);
// Whether the folder holds a file under a media name (one the install
// renames, "VarnX.ex_" say): the media the product came from, never an
// install of it.
BOOL IsMediaFolder(const CString& folder);
// Whether the folder can take an install whose files have names of up to
// nameLength characters, placed and found again: a full path (drive letter,
// colon, backslash, or \\server\share) below a root that exists, not the
// root itself, nor a shared folder, nor the media, nor a file; each name in
// it one that Windows keeps as written; short enough for MAX_PATH. A
// trailing backslash names the same folder. pLongForm, if given, receives
// the folder's long form, which the rules were checked on.
BOOL IsUsableFolder(const CString& path, int nameLength, CString* pLongForm = NULL);
// The folder, in its long form, as an install folder of ours may be named:
// empty when IsUsableFolder refuses it, and nothing is deleted in it then.
CString AsInstallFolder(const CString& folder);
