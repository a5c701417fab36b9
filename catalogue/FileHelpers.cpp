#include "FileHelpers.h"

namespace {

// Longest path the system hands out (the \\?\ form included).
const DWORD MAX_MODULE_PATH = 32768;

// A trailing backslash would name the same folder a second time.
CString WithoutTrailingSeparators(CString path)
{
    int last;
    while ((last = path.ReverseFind('\\')) >= 0 && last == path.GetLength() - 1)
        path = path.Left(last);
    return path;
}

}

CString GetModuleFolder()
{
    CString path;
    char* buffer = path.GetBuffer(MAX_MODULE_PATH);
    if (!buffer)
        return CString();
    DWORD length = ::GetModuleFileNameA(NULL, buffer, MAX_MODULE_PATH);
    if (length == 0 || length >= MAX_MODULE_PATH)
        return CString();
    path.ReleaseBuffer((int)length);
    return GetParentFolder(path);
}

CString GetParentFolder(const CString& path)
{
    int last = path.ReverseFind('\\');
    return last < 0 ? CString() : path.Left(last);
}

BOOL PathExists(const CString& path) { return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

BOOL CreateFolderTree(CString path)
{
    path = WithoutTrailingSeparators(path);
    CString parent = GetParentFolder(path);
    if (!PathExists(parent)) {
        if (parent.IsEmpty() || !CreateFolderTree(parent))
            return FALSE;
    }
    return ::CreateDirectoryA(path, NULL);
}

BOOL CopyInstallFile(CString source, CString target)
{
    CString folder = GetParentFolder(target);
    if (!PathExists(folder) && !CreateFolderTree(folder))
        return FALSE;
    return ::CopyFileA(source, target, FALSE);
}

BOOL DeleteInstalledFile(CString path) { return ::DeleteFileA(path); }
