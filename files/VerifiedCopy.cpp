#include "VerifiedCopy.h"
#include "../paths/PathText.h"
#include "../windows/WindowsVersion.h"
#include "FileHash.h"
#include "FileSystem.h"
#include <string.h>

namespace {

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

// A read-only earlier copy (from a CD, say) is replaced all the same, and
// keeps its attribute if it stays. The attribute is changed through a
// handle on the name, and never where a second name or a link would carry
// the change to another file.
BOOL ReplaceReadOnly(const CString& temporary, const CString& target)
{
    // The older family shares no deletion and has neither links nor other
    // users: it changes the attribute by name.
    if (!IsWindowsNT()) {
        DWORD attributes = ::GetFileAttributesA(target);
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY) ||
            !::SetFileAttributesA(target, attributes & ~FILE_ATTRIBUTE_READONLY))
            return FALSE;
        if (ReplaceWith(temporary, target))
            return TRUE;
        ::SetFileAttributesA(target, attributes);
        return FALSE;
    }
    const DWORD ANY_SHARING = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    BY_HANDLE_FILE_INFORMATION before, after;
    HANDLE hTarget = OpenName(target, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, ANY_SHARING);
    BOOL cleared = ::GetFileInformationByHandle(hTarget, &before) && IsPlainFile(before) &&
                   (before.dwFileAttributes & FILE_ATTRIBUTE_READONLY) &&
                   SetAttributesOf(hTarget, before.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
    // Windows replaces no file that is open.
    ::CloseHandle(hTarget);
    if (!cleared || ReplaceWith(temporary, target))
        return cleared;
    hTarget = OpenName(target, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, ANY_SHARING);
    if (::GetFileInformationByHandle(hTarget, &after) && after.nFileIndexLow == before.nFileIndexLow &&
        after.nFileIndexHigh == before.nFileIndexHigh && after.dwVolumeSerialNumber == before.dwVolumeSerialNumber)
        SetAttributesOf(hTarget, before.dwFileAttributes);
    ::CloseHandle(hTarget);
    return FALSE;
}

}

HANDLE OpenInstallSource(const CString& path)
{
    return ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, NULL);
}

FileFate CopyInstallFile(HANDLE hSource, CString target, const BYTE* pExpectedDigest)
{
    // Bytes that are not the expected ones are never written anywhere: the
    // source, which nobody can write while it is held, is hashed before it
    // is copied.
    BYTE digest[SHA256_LENGTH];
    if (hSource == INVALID_HANDLE_VALUE ||
        (pExpectedDigest && (!HashFile(hSource, digest) || !IsExpected(digest, pExpectedDigest))))
        return FILE_FAILED;
    CString folder = GetParentFolder(target);
    if (!PathExists(folder) && !CreateFolderTree(folder))
        return FILE_FAILED;

    // An earlier copy waiting for the restart would take this one's place.
    // A name that is taken meanwhile (a link someone planted) fails the copy
    // rather than being written through.
    FileFate leftovers = RemoveLeftovers(target);
    CString temporary = MakeOwnName(target, STAGED_ENDING);
    HANDLE hTemporary = leftovers == FILE_FAILED ? INVALID_HANDLE_VALUE
                                                 : ::CreateFileA(temporary, GENERIC_WRITE, 0, NULL, CREATE_NEW,
                                                                 FILE_ATTRIBUTE_NORMAL, NULL);
    if (hTemporary == INVALID_HANDLE_VALUE)
        return FILE_FAILED;
    FILETIME lastWrite;
    BOOL complete = CopyHashed(hSource, hTemporary, digest) && IsExpected(digest, pExpectedDigest) &&
                    ::GetFileTime(hSource, NULL, NULL, &lastWrite) &&
                    ::SetFileTime(hTemporary, NULL, NULL, &lastWrite) && ::FlushFileBuffers(hTemporary);
    ::CloseHandle(hTemporary);

    BOOL replaced = complete && (ReplaceWith(temporary, target) || ReplaceReadOnly(temporary, target));
    FileFate fate = replaced ? FILE_DONE : complete ? ReplaceInUse(temporary, target) : FILE_FAILED;
    if (fate == FILE_FAILED)
        ::DeleteFileA(temporary);
    return fate < leftovers ? fate : leftovers;
}
