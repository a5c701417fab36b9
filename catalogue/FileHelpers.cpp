#include "FileHelpers.h"
#include <shlobj.h>

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

CString GetSystemFolder()
{
    char buffer[MAX_PATH];
    UINT length = ::GetSystemDirectoryA(buffer, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? CString() : CString(buffer);
}

CString GetCommonProgramsFolder()
{
    char buffer[MAX_PATH];
    return ::SHGetSpecialFolderPathA(NULL, buffer, CSIDL_COMMON_PROGRAMS, TRUE) ? CString(buffer) : CString();
}

CString JoinPath(const CString& folder, const char* name)
{
    CString path = name;
    if (!folder.IsEmpty())
        path.Format("%s\\%s", (const char*)folder, name);
    return path;
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
    if (!::CopyFileA(source, target, FALSE))
        return FALSE;
    // Removal and the next install must be able to replace what we put here.
    DWORD attributes = ::GetFileAttributesA(target);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return FALSE;
    return !(attributes & FILE_ATTRIBUTE_READONLY) ||
           ::SetFileAttributesA(target, attributes & ~FILE_ATTRIBUTE_READONLY);
}

BOOL DeleteInstalledFile(CString path) { return ::DeleteFileA(path); }
