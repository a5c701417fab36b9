#include "FileHash.h"

namespace {

// The whole file from its start, hashed and, given a copy, written there
// too.
BOOL ReadHashed(HANDLE hFile, HANDLE hCopy, BYTE digest[SHA256_LENGTH])
{
    DWORD sizeHigh = 0;
    DWORD sizeLow = ::GetFileSize(hFile, &sizeHigh);
    if ((sizeLow == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR) ||
        ::SetFilePointer(hFile, 0, NULL, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return FALSE;
    CSha256 sha;
    ULONGLONG total = 0;
    // Below a page of stack with the rest of the frame: no probing code.
    BYTE buffer[3584];
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

}

BOOL HashFile(HANDLE hFile, BYTE digest[SHA256_LENGTH]) { return ReadHashed(hFile, NULL, digest); }

BOOL CopyHashed(HANDLE hSource, HANDLE hTarget, BYTE digest[SHA256_LENGTH])
{
    return hTarget && ReadHashed(hSource, hTarget, digest);
}
