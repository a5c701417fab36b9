#include "RemovalOperations.h"
#include "../catalogue/ItemCatalogue.h"
#include "../files/FileSystem.h"
#include "../files/VerifiedCopy.h"
#include "../paths/PathText.h"
#include "../res/resource.h"
#include "../windows/WindowsFolders.h"

namespace {

// Removes what a row names below its opened subkey.
BOOL RemoveRegistryItem(const RegistryEntry& row, HKEY hKey)
{
    if (row.pszData)
        return ::RegDeleteValueA(hKey, row.pszName) == ERROR_SUCCESS;
    CString keyPath;
    keyPath.Format("%s\\%s", row.pszSubKey, row.pszName);
    CRemovalOperations::DeleteKeyTree(row.hRootKey, keyPath);
    return ::RegDeleteKeyA(hKey, row.pszName) == ERROR_SUCCESS;
}

}

CRemovalOperations::CRemovalOperations(CProgressSink& progress, CFailureList& failures)
    : m_progress(progress), m_failures(failures)
{
}

void CRemovalOperations::RemoveRegistry()
{
    for (const RegistryEntry& row : RegistryTable) {
        m_progress.StepRow();
        if (row.nKind < REG_WRITE_AND_REMOVE || row.nKind > REG_REMOVE)
            continue;

        HKEY hKey;
        BOOL removed = FALSE;
        if (::RegOpenKeyExA(row.hRootKey, row.pszSubKey, 0, KEY_ALL_ACCESS, &hKey) == ERROR_SUCCESS) {
            removed = RemoveRegistryItem(row, hKey);
            ::RegCloseKey(hKey);
        }
        if (!removed && row.nKind != REG_REMOVE_QUIET)
            m_failures.Append("レジストリ削除：HKEY_LOCAL_MACHINE\\", row.pszSubKey);
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
        if (!located || (PathExists(linkPath) && !DeleteInstalledFile(linkPath)))
            m_failures.Append("ショートカット削除：", linkPath);
        m_progress.PauseAfterItem();
    }
    // The group goes with its last link; a folder the user put anything in
    // is not empty, and stays.
    if (located)
        ::RemoveDirectoryA(groupFolder);
}

void CRemovalOperations::RemoveFiles(const CString& installFolder)
{
    CString systemFolder = GetSystemFolder();

    for (const FileEntry& row : FileTable) {
        m_progress.StepRow();
        const CString* pFolder = GetTargetFolder(row, installFolder, systemFolder);
        if (!pFolder)
            continue;
        // A copy that a killed install left half-written goes without a word.
        CString path = JoinPath(*pFolder, row.pszTargetName);
        if (!pFolder->IsEmpty())
            DeleteInstalledFile(GetTemporaryCopyPath(path));
        // Setup.exe stays: it runs the removals.
        if (row.nKind == FILE_SETUP_SELF)
            continue;

        // A folder the system could not name is never guessed at: the file
        // is reported by its bare name and left alone.
        if (pFolder->IsEmpty() || !DeleteInstalledFile(path))
            m_failures.Append("ファイル削除：", path);
        m_progress.PauseAfterItem();
    }
}
