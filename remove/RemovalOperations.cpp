#include "RemovalOperations.h"
#include "../catalogue/ItemCatalogue.h"
#include "../files/FileSystem.h"
#include "../files/FolderAccess.h"
#include "../files/HeldFolder.h"
#include "../paths/PathText.h"
#include "../res/resource.h"
#include "../windows/WindowsFolders.h"

namespace {

// Removes what a row names below its opened subkey: the registry's result.
LONG RemoveRegistryItem(const RegistryEntry& row, HKEY hKey)
{
    if (row.pszData)
        return ::RegDeleteValueA(hKey, row.pszName);
    CString keyPath;
    keyPath.Format("%s\\%s", row.pszSubKey, row.pszName);
    CRemovalOperations::DeleteKeyTree(row.hRootKey, keyPath);
    return ::RegDeleteKeyA(hKey, row.pszName);
}

}

CRemovalOperations::CRemovalOperations(CProgressSink& progress, CFailureList& failures, CRestartList& restarts)
    : m_progress(progress), m_failures(failures), m_restarts(restarts), m_bFoundAnything(FALSE)
{
}

void CRemovalOperations::Record(FileFate fate, FileFate leftovers, const char* pszWhat, const CString& item,
                                BOOL bGoneListed)
{
    FileFate worst = fate < leftovers ? fate : leftovers;
    m_bFoundAnything = m_bFoundAnything || worst != FILE_ABSENT;
    if (worst == FILE_DONE_AT_RESTART)
        m_restarts.Append(item, FALSE);
    if (worst == FILE_FAILED || (fate == FILE_ABSENT && bGoneListed))
        m_failures.Append(pszWhat, item, worst == FILE_FAILED);
}

void CRemovalOperations::RemoveRegistry()
{
    for (const RegistryEntry& row : RegistryTable) {
        m_progress.StepRow();
        if (row.nKind < REG_WRITE_AND_REMOVE || row.nKind > REG_REMOVE)
            continue;

        HKEY hKey;
        LONG result = ::RegOpenKeyExA(row.hRootKey, row.pszSubKey, 0, KEY_ALL_ACCESS, &hKey);
        if (result == ERROR_SUCCESS) {
            result = RemoveRegistryItem(row, hKey);
            ::RegCloseKey(hKey);
        }
        // Told as a file's; a quiet row is found, but never listed.
        FileFate fate = result == ERROR_FILE_NOT_FOUND ? FILE_ABSENT
                        : result == ERROR_SUCCESS || row.nKind == REG_REMOVE_QUIET ? FILE_DONE
                                                                                    : FILE_FAILED;
        Record(fate, FILE_ABSENT, "レジストリ削除：HKEY_LOCAL_MACHINE\\", row.pszSubKey, row.nKind != REG_REMOVE_QUIET);
        m_progress.PauseAfterItem();
    }
}

void CRemovalOperations::DeleteKeyTree(HKEY hRootKey, CString path)
{
    HKEY hKey;
    if (::RegOpenKeyExA(hRootKey, path, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return;
    char name[MAX_PATH];
    DWORD index = 0;
    for (;;) {
        DWORD nameLength = MAX_PATH;
        if (::RegEnumKeyExA(hKey, index, name, &nameLength, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        CString subkeyPath;
        subkeyPath.Format("%s\\%s", (const char*)path, name);
        DeleteKeyTree(hRootKey, subkeyPath);
        // The others move up after a deletion; one that stays is stepped over.
        if (::RegDeleteKeyA(hKey, name) != ERROR_SUCCESS)
            ++index;
    }
    ::RegCloseKey(hKey);
}

void CRemovalOperations::RemoveShortcuts()
{
    // Without the Programs folder, or without the group's name, the links
    // cannot be told from anyone else's: each is reported as not removed,
    // under its group-relative name.
    CString groupName;
    groupName.LoadString(IDS_PROGRAM_GROUP);
    CString programsFolder = GetCommonProgramsFolder();
    BOOL located = !programsFolder.IsEmpty() && !groupName.IsEmpty();
    CString groupFolder = JoinPath(located ? programsFolder : CString(), groupName);

    for (const ShortcutEntry& row : ShortcutTable) {
        m_progress.StepRow();
        CString linkPath = JoinPath(groupFolder, row.pszLinkName);
        Record(located ? RemoveFile(linkPath) : FILE_FAILED, FILE_ABSENT, "ショートカット削除：", linkPath, FALSE);
        m_progress.PauseAfterItem();
    }
    // The group goes with its last link; a folder the user put anything in
    // is not empty, and stays.
    if (located)
        ::RemoveDirectoryA(groupFolder);
}

void CRemovalOperations::RemoveFiles(const CString& installFolder, BOOL bUnregistered)
{
    CString systemFolder = GetSystemFolder();
    // Held while it is emptied: nobody can swap it for a link to another
    // program's folder meanwhile.
    CHeldFolder heldFolder;
    BOOL folderHeld = !installFolder.IsEmpty() && heldFolder.Hold(installFolder);
    // A file in use is left to the restart only where nobody else can put
    // something else at its name until then: in Windows' own folder, or in
    // a registered install folder that it and the folders above close to
    // others.
    BOOL installFolderClosed = folderHeld && !bUnregistered && IsFolderClosedToOthers(installFolder);

    for (const FileEntry& row : FileTable) {
        m_progress.StepRow();
        const CString* pFolder = GetTargetFolder(row, installFolder, systemFolder);
        if (!pFolder)
            continue;
        // What earlier runs left beside the file goes without a word of its
        // own (a copy that a killed install left half-written, one that
        // waits for the restart, which then finds nothing to move, a file
        // moved aside). Where nothing names the install (a removal killed
        // after its keys, run again), only what the build laid out is
        // reached in this copy's folder, at the file's name and beside it;
        // Setup.exe, whose bytes the build cannot record, not at all.
        CString path = JoinPath(*pFolder, row.pszTargetName);
        BOOL inInstallFolder = GoesToInstallFolder(row);
        const BYTE* pDigest = inInstallFolder && bUnregistered ? FindMediaDigest(row.pszSourceName) : NULL;
        BOOL reachable = !pFolder->IsEmpty() &&
                         (!inInstallFolder || (folderHeld && heldFolder.IsAt(installFolder) && (pDigest || !bUnregistered)));
        BOOL leaveToRestart = !inInstallFolder || installFolderClosed;
        FileFate leftovers = reachable ? RemoveLeftovers(path, pDigest, leaveToRestart) : FILE_ABSENT;
        // Setup.exe stays: it runs the removals.
        if (row.nKind == FILE_SETUP_SELF) {
            Record(FILE_ABSENT, leftovers, "ファイル削除：", path, FALSE);
            continue;
        }

        // A folder the system could not name is never guessed at: the file
        // is reported by its bare name and left alone; one that cannot be
        // reached stays.
        FileFate fate = reachable               ? RemoveFile(path, pDigest, leaveToRestart)
                        : pFolder->IsEmpty() ? FILE_ABSENT
                                             : FILE_FAILED;
        Record(fate, leftovers, "ファイル削除：", path, TRUE);
        m_progress.PauseAfterItem();
    }
}
