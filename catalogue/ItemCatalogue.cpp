#include "ItemCatalogue.h"
#include "../paths/PathText.h"
#include "../res/resource.h"
#include <string.h>

BOOL GoesToInstallFolder(const FileEntry& row)
{
    return row.nKind == FILE_TO_INSTALL_DIR || row.nKind == FILE_SETUP_SELF;
}

int LongestInstalledName()
{
    int longest = 0;
    for (const FileEntry& row : FileTable)
        if (GoesToInstallFolder(row) && (int)strlen(row.pszTargetName) > longest)
            longest = (int)strlen(row.pszTargetName);
    return longest;
}

const CString* GetTargetFolder(const FileEntry& row, const CString& installFolder, const CString& systemFolder)
{
    if (GoesToInstallFolder(row))
        return &installFolder;
    return row.nKind == FILE_TO_SYSTEM_DIR ? &systemFolder : NULL;
}

CString GetProgramGroupFolder(const CString& programsFolder)
{
    CString groupName;
    groupName.LoadString(IDS_PROGRAM_GROUP);
    return programsFolder.IsEmpty() || groupName.IsEmpty() ? CString() : JoinPath(programsFolder, groupName);
}

const char INSTALL_PATH_PLACEHOLDER[] = "(%INSTALL_PATH%)";
const char SYSTEM_PATH_PLACEHOLDER[] = "(%SYSTEM_PATH%)";
const char INSTALL_DATE_PLACEHOLDER[] = "(%INSTALL_DATE%)";

namespace {
const char UNINSTALL_ENTRY_KEY[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Varnoltix";
const char DISPLAY_NAME_VALUE[] = "DisplayName";
}

const char PRODUCT_SUBKEY[] = "SOFTWARE\\QUORLEN\\VarnX";
const char PRODUCT_PATH_VALUE[] = "Exe-Path";
const char PRODUCT_FOLDER_NAME[] = "VarnX";

constexpr FileEntry FileTable[6] = {
    { FILE_TO_INSTALL_DIR, "VarnX.dl_", "VarnX.dll" },
    { FILE_TO_INSTALL_DIR, "VarnX.ex_", "VarnX.exe" },
    { FILE_SETUP_SELF, "Setup.exe", "Setup.exe" },
    { FILE_TO_INSTALL_DIR, "Readme.txt", "Readme.txt" },
    { FILE_TO_SYSTEM_DIR, "VarnX.cp_", "VarnX.cpl" },
    { FILE_TO_SYSTEM_DIR, "VarnX.dl_", "VarnX.dll" },
};

// The uninstall command quotes the program: with the install folder below
// "C:\Program Files", an unquoted path would let a C:\Program.exe start.
// Key names compare without regard to case, so the mixed spellings reach
// the same keys: row 6 removes what row 3 wrote, row 4 what rows 1 and 2 did.
const RegistryEntry RegistryTable[6] = {
    { REG_WRITE_AND_REMOVE, HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_KEY, "UnInstallString",
      "\"(%INSTALL_PATH%)\\Setup.exe\" /uninstall" },
    { REG_WRITE_AND_REMOVE, HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_KEY, DISPLAY_NAME_VALUE, "Varnolt 2.0" },
    { REG_WRITE_AND_REMOVE, HKEY_LOCAL_MACHINE, PRODUCT_SUBKEY, PRODUCT_PATH_VALUE, "(%INSTALL_PATH%)\\VarnX.exe" },
    { REG_REMOVE, HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", "Varnoltix", NULL },
    { REG_REMOVE_QUIET, HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\run", "Varnolt", "" },
    { REG_REMOVE, HKEY_LOCAL_MACHINE, "Software\\Quorlen", "VarnX", NULL },
};

constexpr MediaDigest MediaDigestTable[MEDIA_DIGEST_COUNT] = { MEDIA_DIGEST_ROWS };

namespace {

constexpr bool SameName(const char* left, const char* right)
{
    while (*left && *left == *right)
        ++left, ++right;
    return *left == *right;
}

constexpr bool EverySourceHasADigest()
{
    for (const FileEntry& row : FileTable) {
        bool recorded = row.nKind == FILE_SETUP_SELF;
        for (const MediaDigest& media : MediaDigestTable)
            recorded = recorded || SameName(media.szSourceName, row.pszSourceName);
        if (!recorded)
            return false;
    }
    return true;
}
// A product file the build does not lay out would fail every install.
static_assert(EverySourceHasADigest(), "a source of the file table has no digest: the build must lay it out");

}

const BYTE* FindMediaDigest(const char* pszSourceName)
{
    for (const MediaDigest& row : MediaDigestTable)
        if (strcmp(row.szSourceName, pszSourceName) == 0)
            return row.digest;
    return NULL;
}

// No Modify or Repair is offered: the program has neither.
const EntryValue UninstallEntryValues[9] = {
    { "QuietUninstallString", "\"(%INSTALL_PATH%)\\Setup.exe\" /S /uninstall", 0 },
    { "DisplayIcon", "(%INSTALL_PATH%)\\VarnX.exe", 0 },
    { "DisplayVersion", "2.0", 0 },
    { "Publisher", "QUORLEN", 0 },
    { "InstallLocation", "(%INSTALL_PATH%)", 0 },
    { "InstallDate", "(%INSTALL_DATE%)", 0 },
    { "EstimatedSize", NULL, INSTALLED_KB },
    { "NoModify", NULL, 1 },
    { "NoRepair", NULL, 1 },
};

BOOL NamesUninstallEntry(const RegistryEntry& row)
{
    return row.nKind == REG_WRITE_AND_REMOVE && strcmp(row.pszSubKey, UNINSTALL_ENTRY_KEY) == 0 &&
           strcmp(row.pszName, DISPLAY_NAME_VALUE) == 0;
}

const ShortcutEntry ShortcutTable[4] = {
    { "Varnolt.lnk", "Varnolt 本体", "(%INSTALL_PATH%)\\VarnX.exe", "" },
    { "Varnolt の設定.lnk", "Varnolt の設定を行います", "(%SYSTEM_PATH%)\\control.exe", "VarnX.cpl" },
    { "Varnolt の削除.lnk", "Varnolt の削除します", "(%INSTALL_PATH%)\\Setup.exe", "/uninstall" },
    { "Readme.lnk", "Varnolt の説明テキスト", "(%INSTALL_PATH%)\\Readme.txt", "" },
};
