// The removal operations of CSetupApp: registry entries, shortcuts and
// files, walked from the catalogue. Folders are never removed.
#include "../app/SetupApp.h"
#include "../catalogue/FileHelpers.h"
#include "../catalogue/ItemCatalogue.h"
#include "../res/resource.h"
#include "ProgressPanel.h"

namespace {

// Removes what a row names below its opened subkey.
BOOL RemoveRegistryItem(CSetupApp& app, const RegistryEntry& row, HKEY hKey)
{
    if (row.pszData)
        return ::RegDeleteValueA(hKey, row.pszName) == ERROR_SUCCESS;
    CString keyPath;
    keyPath.Format("%s\\%s", row.pszSubKey, row.pszName);
    app.DeleteKeyTree(row.hRootKey, keyPath);
    return ::RegDeleteKeyA(hKey, row.pszName) == ERROR_SUCCESS;
}

}

void CSetupApp::RemoveRegistry(CProgressPanel& panel, CString& failureReport)
{
    for (const RegistryEntry& row : RegistryTable) {
        panel.StepIt();
        if (row.nKind < REG_WRITE_AND_REMOVE || row.nKind > REG_REMOVE)
            continue;

        HKEY hKey;
        BOOL removed = FALSE;
        if (::RegOpenKeyExA(row.hRootKey, row.pszSubKey, 0, KEY_ALL_ACCESS, &hKey) == ERROR_SUCCESS) {
            removed = RemoveRegistryItem(*this, row, hKey);
            ::RegCloseKey(hKey);
        }
        if (!removed && row.nKind != REG_REMOVE_QUIET)
            AppendFailure(failureReport, "レジストリ削除：HKEY_LOCAL_MACHINE\\", row.pszSubKey);
        ::Sleep(ITEM_PAUSE_MS);
    }
}

void CSetupApp::DeleteKeyTree(HKEY hRootKey, CString path)
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

void CSetupApp::RemoveShortcuts(CProgressPanel& panel, CString& failureReport)
{
    CString groupFolder = GetProgramGroupFolder(GetCommonProgramsFolder());
    // Without the Programs folder, or without the group's name, the links
    // cannot be told from anyone else's: each is reported as not removed,
    // under its group-relative name.
    BOOL located = !groupFolder.IsEmpty();
    CString groupName;
    groupName.LoadString(IDS_PROGRAM_GROUP);

    for (const ShortcutEntry& row : ShortcutTable) {
        panel.StepIt();
        CString linkPath;
        linkPath.Format("%s\\%s", (const char*)(located ? groupFolder : groupName), row.pszLinkName);
        if (!located || (PathExists(linkPath) && !DeleteInstalledFile(linkPath)))
            AppendFailure(failureReport, "ショートカット削除：", linkPath);
        ::Sleep(ITEM_PAUSE_MS);
    }
    // The group goes with its last link; a folder the user put anything in
    // is not empty, and stays.
    if (located)
        ::RemoveDirectoryA(groupFolder);
}

void CSetupApp::RemoveFiles(CProgressPanel& panel, CString& failureReport, const CString& installFolder)
{
    CString systemFolder = GetSystemFolder();

    for (const FileEntry& row : FileTable) {
        panel.StepIt();
        // Setup.exe stays: it runs the removals.
        const CString* pFolder = GetTargetFolder(row, installFolder, systemFolder);
        if (!pFolder || row.nKind == FILE_SETUP_SELF)
            continue;

        // A folder the system could not name is never guessed at: the file
        // is reported by its bare name and left alone.
        CString path = JoinPath(*pFolder, row.pszTargetName);
        if (pFolder->IsEmpty() || !DeleteInstalledFile(path))
            AppendFailure(failureReport, "ファイル削除：", path);
        ::Sleep(ITEM_PAUSE_MS);
    }
}
