#include "PathIdentity.h"
#include "../paths/PathText.h"
#include "WindowsVersion.h"

namespace {
typedef DWORD(WINAPI* GetLongPathNameFn)(LPCSTR, LPSTR, DWORD);
}

CString GetLongFolderPath(const CString& path)
{
    char full[MAX_PATH];
    DWORD length = ::GetFullPathNameA(path, MAX_PATH, full, NULL);
    if (length == 0 || length >= MAX_PATH)
        return path;
    GetLongPathNameFn getLongPathName = FindKernelFunction<GetLongPathNameFn>("GetLongPathNameA");
    int rootLength = FullPathRootLength(full);
    // The longest part that exists takes its long form; the rest, which
    // nothing can have shortened, follows as typed.
    CString existing = full;
    CString rest;
    while (getLongPathName && rootLength > 0 && existing.GetLength() > rootLength) {
        char longForm[MAX_PATH];
        DWORD longLength = getLongPathName(existing, longForm, MAX_PATH);
        if (longLength > 0 && longLength < MAX_PATH)
            return CString(longForm) + rest;
        int last = existing.ReverseFind('\\');
        rest = existing.Mid(last) + rest;
        existing = existing.Left(last);
    }
    return CString(full);
}

BOOL GetFolderIdentity(const CString& path, FolderIdentity& identity)
{
    HANDLE hFolder = ::CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
    if (hFolder == INVALID_HANDLE_VALUE)
        return FALSE;
    BY_HANDLE_FILE_INFORMATION information = {};
    BOOL known = ::GetFileInformationByHandle(hFolder, &information) &&
                 (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    ::CloseHandle(hFolder);
    identity.dwVolume = information.dwVolumeSerialNumber;
    identity.dwIndexHigh = information.nFileIndexHigh;
    identity.dwIndexLow = information.nFileIndexLow;
    return known;
}

