#include "FileSystem.h"
#include "../paths/PathText.h"
#include "../windows/PathIdentity.h"
#include "../windows/WindowsVersion.h"
#include "FileHash.h"
#include "FolderAccess.h"
#include <string.h>
#include <winternl.h>

namespace {

typedef LONG(NTAPI* NtSetInformationFileFn)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, FILE_INFORMATION_CLASS);

// NtSetInformationFile serves every NT, where SetFileInformationByHandle
// came with Vista.
BOOL SetInformation(HANDLE hFile, void* pInformation, ULONG length, FILE_INFORMATION_CLASS informationClass)
{
    HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    NtSetInformationFileFn setInformationFile = reinterpret_cast<NtSetInformationFileFn>(
        reinterpret_cast<void*>(ntdll ? ::GetProcAddress(ntdll, "NtSetInformationFile") : NULL));
    IO_STATUS_BLOCK status;
    return setInformationFile && setInformationFile(hFile, &status, pInformation, length, informationClass) >= 0;
}

}

BOOL IsPlainFile(const BY_HANDLE_FILE_INFORMATION& information)
{
    return information.nNumberOfLinks == 1 &&
           !(information.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY));
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
    SECURITY_ATTRIBUTES attributes = { sizeof attributes, GetProtectedDescriptor(), FALSE };
    return ::CreateDirectoryA(path, attributes.lpSecurityDescriptor ? &attributes : NULL);
}

HANDLE OpenName(const CString& path, DWORD access, DWORD share)
{
    return ::CreateFileA(path, access, share, NULL, OPEN_EXISTING,
                         FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, NULL);
}

BOOL DeleteOpenFile(HANDLE hFile)
{
    FILE_DISPOSITION_INFORMATION disposition = { TRUE };
    return SetInformation(hFile, &disposition, sizeof disposition, FileDispositionInformation);
}

BOOL SetAttributesOf(HANDLE hFile, DWORD attributes)
{
    // Attributes of 0 would mean "leave them".
    FILE_BASIC_INFORMATION basic = {};
    basic.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
    return SetInformation(hFile, &basic, sizeof basic, FileBasicInformation);
}

BOOL DeleteInstalledFile(CString path, const BYTE* pExpectedDigest)
{
    // The older family shares no deletion and has neither links nor other
    // users: it checks and deletes by name.
    if (!IsWindowsNT()) {
        HANDLE hFile = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        BYTE digest[SHA256_LENGTH];
        BOOL ours = !pExpectedDigest || (HashFile(hFile, digest) && memcmp(digest, pExpectedDigest, SHA256_LENGTH) == 0);
        ::CloseHandle(hFile);
        DWORD attributes = ::GetFileAttributesA(path);
        if (!ours || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return FALSE;
        ::SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        BOOL deleted = ::DeleteFileA(path);
        if (!deleted)
            ::SetFileAttributesA(path, attributes);
        return deleted;
    }
    // Others may go on reading; with a digest to match, nobody may write
    // the file between the check and the deletion.
    HANDLE hFile = OpenName(path, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | (pExpectedDigest ? GENERIC_READ : 0),
                            FILE_SHARE_READ | FILE_SHARE_DELETE | (pExpectedDigest ? 0 : FILE_SHARE_WRITE));
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    BY_HANDLE_FILE_INFORMATION information;
    BYTE digest[SHA256_LENGTH];
    BOOL ours = ::GetFileInformationByHandle(hFile, &information) &&
                !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                (!pExpectedDigest || (HashFile(hFile, digest) && memcmp(digest, pExpectedDigest, SHA256_LENGTH) == 0));
    DWORD attributes = information.dwFileAttributes;
    // A read-only file (copied from a CD, say) is ours to delete all the same.
    BOOL readOnly = ours && (attributes & FILE_ATTRIBUTE_READONLY);
    BOOL deletable = ours && (!readOnly || (IsPlainFile(information) &&
                                            SetAttributesOf(hFile, attributes & ~FILE_ATTRIBUTE_READONLY)));
    BOOL deleted = deletable && DeleteOpenFile(hFile);
    if (readOnly && deletable && !deleted)
        SetAttributesOf(hFile, attributes);
    ::CloseHandle(hFile);
    return deleted;
}
