#include "PathIdentity.h"
#include "../paths/PathText.h"
#include "WindowsVersion.h"
#include <ntdef.h>
#include <string.h>
#include <winioctl.h>

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


namespace {

// A volume's root as a mount point names it: "\??\Volume{", a GUID, "}\"
// (only a whole GUID names a volume, so at this length nothing can follow).
const int VOLUME_ROOT_LENGTH = 49;

// A reparse point other than a volume mounted at a folder; false for a name
// that does not exist.
BOOL IsLink(const CString& path)
{
    HANDLE hName = ::CreateFileA(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, NULL);
    if (hName == INVALID_HANDLE_VALUE)
        return FALSE;
    BY_HANDLE_FILE_INFORMATION information;
    BOOL link = ::GetFileInformationByHandle(hName, &information) &&
                (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
    // A mount point names a volume's root; a junction, which has the same
    // tag, names a folder.
    alignas(DWORD) BYTE data[1024];
    REPARSE_DATA_BUFFER* pReparse = reinterpret_cast<REPARSE_DATA_BUFFER*>(data);
    DWORD length;
    if (link && ::DeviceIoControl(hName, FSCTL_GET_REPARSE_POINT, NULL, 0, data, sizeof data, &length, NULL) &&
        pReparse->ReparseTag == IO_REPARSE_TAG_MOUNT_POINT) {
        const WCHAR* pTarget = pReparse->MountPointReparseBuffer.PathBuffer +
                               pReparse->MountPointReparseBuffer.SubstituteNameOffset / sizeof(WCHAR);
        link = pReparse->MountPointReparseBuffer.SubstituteNameLength != VOLUME_ROOT_LENGTH * sizeof(WCHAR) ||
               memcmp(pTarget, L"\\??\\Volume{", 11 * sizeof(WCHAR)) != 0;
    }
    ::CloseHandle(hName);
    return link;
}

}

BOOL LeadsThroughLink(const CString& fullPath)
{
    int rootLength = FullPathRootLength(fullPath);
    for (CString folder = fullPath; rootLength > 0 && folder.GetLength() > rootLength; folder = GetParentFolder(folder))
        if (IsLink(folder))
            return TRUE;
    return FALSE;
}
