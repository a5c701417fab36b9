#include "VerifiedCopy.h"
#include "../paths/PathText.h"
#include "../windows/WindowsVersion.h"
#include "FileSystem.h"
#include <string.h>

namespace {

// The whole file from its start, hashed and, given a copy, written there
// too; false when a read or a write fails or the file ends before the end
// its size gives.
BOOL ReadHashed(HANDLE hFile, HANDLE hCopy, BYTE digest[SHA256_LENGTH])
{
    DWORD sizeHigh = 0;
    DWORD sizeLow = ::GetFileSize(hFile, &sizeHigh);
    if ((sizeLow == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR) ||
        ::SetFilePointer(hFile, 0, NULL, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return FALSE;
    CSha256 sha;
    ULONGLONG total = 0;
    BYTE buffer[16384];
    DWORD read;
    BOOL readable;
    while ((readable = ::ReadFile(hFile, buffer, sizeof buffer, &read, NULL)) && read > 0) {
        DWORD written;
        if (hCopy && (!::WriteFile(hCopy, buffer, read, &written, NULL) || written != read))
            return FALSE;
        sha.Update(buffer, read);
        total += read;
    }
    sha.Final(digest);
    return readable && total == ((ULONGLONG)sizeHigh << 32 | sizeLow);
}

BOOL IsExpected(const BYTE digest[SHA256_LENGTH], const BYTE* pExpectedDigest)
{
    return !pExpectedDigest || memcmp(digest, pExpectedDigest, SHA256_LENGTH) == 0;
}

// The finished copy takes the target's place. The older family has no
// MoveFileExA and deletes the target first; it has no other users to fear
// in the gap either.
BOOL ReplaceWith(const CString& temporary, const CString& target)
{
    if (IsWindowsNT())
        return ::MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING);
    return (::DeleteFileA(target) || !PathExists(target)) && ::MoveFileA(temporary, target);
}

}

HANDLE OpenInstallSource(const CString& path)
{
    return ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, NULL);
}

BOOL HashFile(HANDLE hFile, BYTE digest[SHA256_LENGTH]) { return ReadHashed(hFile, NULL, digest); }

CString GetTemporaryCopyPath(const CString& target) { return target + ".new"; }

BOOL CopyInstallFile(HANDLE hSource, CString target, const BYTE* pExpectedDigest)
{
    // Bytes that are not the expected ones are never written anywhere: the
    // source, which nobody can write while it is held, is hashed before it
    // is copied.
    BYTE digest[SHA256_LENGTH];
    if (hSource == INVALID_HANDLE_VALUE ||
        (pExpectedDigest && (!HashFile(hSource, digest) || !IsExpected(digest, pExpectedDigest))))
        return FALSE;
    CString folder = GetParentFolder(target);
    if (!PathExists(folder) && !CreateFolderTree(folder))
        return FALSE;

    // A leftover of a killed install goes first; a name that is taken again
    // meanwhile (a link someone planted) fails the copy rather than being
    // written through.
    CString temporary = GetTemporaryCopyPath(target);
    DeleteInstalledFile(temporary);
    HANDLE hTemporary = ::CreateFileA(temporary, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hTemporary == INVALID_HANDLE_VALUE)
        return FALSE;
    FILETIME lastWrite;
    BOOL complete = ReadHashed(hSource, hTemporary, digest) && IsExpected(digest, pExpectedDigest) &&
                    ::GetFileTime(hSource, NULL, NULL, &lastWrite) &&
                    ::SetFileTime(hTemporary, NULL, NULL, &lastWrite) && ::FlushFileBuffers(hTemporary);
    ::CloseHandle(hTemporary);

    BOOL replaced = complete && ReplaceWith(temporary, target);
    // A read-only earlier copy (from a CD, say) is replaced all the same, and
    // keeps its attribute if it stays. A link is never followed to change
    // what it points at.
    DWORD attributes = complete && !replaced ? ::GetFileAttributesA(target) : INVALID_FILE_ATTRIBUTES;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
        !(attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
        ::SetFileAttributesA(target, attributes & ~FILE_ATTRIBUTE_READONLY)) {
        replaced = ReplaceWith(temporary, target);
        if (!replaced)
            ::SetFileAttributesA(target, attributes);
    }
    if (!replaced)
        ::DeleteFileA(temporary);
    return replaced;
}
