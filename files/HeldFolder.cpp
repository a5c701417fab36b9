#include "HeldFolder.h"
#include "../paths/PathText.h"
#include "../windows/PathIdentity.h"
#include "../windows/WindowsVersion.h"
#include "FileSystem.h"
#include "FolderAccess.h"
#include <string.h>

namespace {

const DWORD PROTECTING_ACCESS = READ_CONTROL | WRITE_DAC | WRITE_OWNER | FILE_READ_ATTRIBUTES;
const DWORD ANY_SHARING = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The folders below are walked by name within the held folder, which
// nobody can move meanwhile; a link is never followed, a file with another
// name never changed.
void ProtectContents(const CString& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE hFind = ::FindFirstFileA(JoinPath(folder, "*"), &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        if (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0)
            continue;
        CString path = JoinPath(folder, found.cFileName);
        HANDLE hItem = OpenName(path, PROTECTING_ACCESS, ANY_SHARING);
        BY_HANDLE_FILE_INFORMATION information;
        if (::GetFileInformationByHandle(hItem, &information)) {
            BOOL subfolder = (information.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ==
                             FILE_ATTRIBUTE_DIRECTORY;
            if (subfolder || IsPlainFile(information))
                ProtectObject(hItem);
            if (subfolder)
                ProtectContents(path);
        }
        ::CloseHandle(hItem);
    } while (::FindNextFileA(hFind, &found));
    ::FindClose(hFind);
}

}

CHeldFolder::CHeldFolder() : m_hFolder(INVALID_HANDLE_VALUE) {}

CHeldFolder::~CHeldFolder()
{
    if (m_hFolder != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFolder);
}

BOOL CHeldFolder::Hold(const CString& path)
{
    if (!IsWindowsNT())
        return TRUE;
    m_hFolder = OpenName(path, READ_CONTROL | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE);
    BY_HANDLE_FILE_INFORMATION information;
    return ::GetFileInformationByHandle(m_hFolder, &information) &&
           (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !LeadsThroughLink(path);
}

BOOL CHeldFolder::IsAt(const CString& path) const
{
    if (!IsWindowsNT())
        return TRUE;
    BY_HANDLE_FILE_INFORMATION held;
    FolderIdentity named;
    return ::GetFileInformationByHandle(m_hFolder, &held) && GetFolderIdentity(path, named) &&
           named.dwVolume == held.dwVolumeSerialNumber && named.dwIndexHigh == held.nFileIndexHigh &&
           named.dwIndexLow == held.nFileIndexLow && !LeadsThroughLink(path);
}

BOOL CHeldFolder::IsClosedToOthers() const { return !IsWindowsNT() || ::IsClosedToOthers(m_hFolder); }

BOOL CHeldFolder::Protect(const CString& path) const
{
    HANDLE hFolder = OpenName(path, PROTECTING_ACCESS, ANY_SHARING);
    BOOL protectedFolder = ProtectObject(hFolder);
    ::CloseHandle(hFolder);
    if (protectedFolder)
        ProtectContents(path);
    return protectedFolder;
}
