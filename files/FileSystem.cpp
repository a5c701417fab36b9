#include "FileSystem.h"
#include "../paths/PathText.h"
#include "../windows/PathIdentity.h"
#include "../windows/WindowsVersion.h"

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

BOOL IsPlainFileAt(HANDLE hFile, const CString& fullPath)
{
    typedef DWORD(WINAPI * GetFinalPathNameByHandleFn)(HANDLE, LPSTR, DWORD, DWORD);
    BY_HANDLE_FILE_INFORMATION information;
    if (!::GetFileInformationByHandle(hFile, &information) || information.nNumberOfLinks != 1 ||
        (information.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)))
        return FALSE;
    // Where the system names a file by its handle (Vista on), that name is
    // the path's, once the system's "\\?\" form is undone.
    GetFinalPathNameByHandleFn getFinalPathName =
        FindKernelFunction<GetFinalPathNameByHandleFn>("GetFinalPathNameByHandleA");
    if (!getFinalPathName)
        return TRUE;
    char final[MAX_PATH + 8];
    DWORD length = getFinalPathName(hFile, final, sizeof final, 0);
    if (length == 0 || length >= sizeof final)
        return FALSE;
    CString name = final;
    if (name.Left(8).CompareNoCase("\\\\?\\UNC\\") == 0)
        name = CString("\\\\") + name.Mid(8);
    else if (name.Left(4).Compare("\\\\?\\") == 0)
        name = name.Mid(4);
    return name.CompareNoCase(GetLongFolderPath(fullPath)) == 0;
}

BOOL DeleteOpenFile(HANDLE hFile)
{
    typedef BOOL(WINAPI * SetFileInformationByHandleFn)(HANDLE, FILE_INFO_BY_HANDLE_CLASS, LPVOID, DWORD);
    SetFileInformationByHandleFn setFileInformation =
        FindKernelFunction<SetFileInformationByHandleFn>("SetFileInformationByHandle");
    FILE_DISPOSITION_INFO disposition = { TRUE };
    return setFileInformation && setFileInformation(hFile, FileDispositionInfo, &disposition, sizeof disposition);
}

BOOL DeleteInstalledFile(CString path)
{
    // A read-only file (copied from a CD, say) is ours to delete all the same.
    DWORD attributes = ::GetFileAttributesA(path);
    BOOL readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
                    !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (readOnly)
        ::SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    if (::DeleteFileA(path))
        return TRUE;
    if (readOnly)
        ::SetFileAttributesA(path, attributes);
    return FALSE;
}
