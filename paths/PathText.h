// The text of paths, with no call to Windows: joining, splitting and
// comparing names as Windows reads them. Paths are multibyte text (Shift-JIS
// on a Japanese system), so a trail byte 0x5C is never taken for a
// separator; only the backslash separates.
#pragma once
#include "../framework/String.h"

// folder\name, or the bare name when the folder could not be located: a
// path is never built from the root of the current drive.
CString JoinPath(const CString& folder, const char* name);
// The text before the last backslash; empty when there is none.
CString GetParentFolder(const CString& path);
// The path as Windows reads it: each "/" a backslash, and pairs of
// backslashes one, but for the two that begin a network path.
CString CollapseSeparators(CString path);
// The path without the backslashes at its end.
CString WithoutTrailingSeparators(CString path);
// The length of a full path's root, its backslash included ("C:\\",
// "\\\\server\\share\\"); 0 for a path that is not a full one.
int FullPathRootLength(const char* text);
// The whole of folder, or folder and what lies below it, compared without
// regard to case; never a part of a name.
BOOL IsSameOrBelow(const CString& path, const CString& folder);
// Whether every name after the full path's root is one that Windows keeps
// as written: no character it forbids, no device name ("CON", "com1.txt"),
// no dot or space at its end, which it would strip.
BOOL HasNamesKeptAsWritten(const char* fullPath, int rootLength);
