#include "ItemCatalogue.h"
#include "MediaDigests.h"

const CString* GetTargetFolder(const FileEntry& row, const CString& installFolder, const CString& systemFolder)
{
    switch (row.nKind) {
    case FILE_TO_INSTALL_DIR:
    case FILE_SETUP_SELF:
        return &installFolder;
    case FILE_TO_SYSTEM_DIR:
        return &systemFolder;
    default:
        return NULL;
    }
}

const char INSTALL_PATH_PLACEHOLDER[] = "(%INSTALL_PATH%)";
const char SYSTEM_PATH_PLACEHOLDER[] = "(%SYSTEM_PATH%)";
const char INSTALL_DATE_PLACEHOLDER[] = "(%INSTALL_DATE%)";
const char INSTALLED_KB_PLACEHOLDER[] = "(%INSTALLED_KB%)";

const FileEntry FileTable[6] = {
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
    { REG_WRITE_AND_REMOVE, HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Varnoltix",
      "UnInstallString", "\"(%INSTALL_PATH%)\\Setup.exe\" /uninstall" },
    { REG_WRITE_AND_REMOVE, HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Varnoltix",
      "DisplayName", "Varnolt 2.0" },
    { REG_WRITE_AND_REMOVE, HKEY_LOCAL_MACHINE, "SOFTWARE\\QUORLEN\\VarnX", "Exe-Path", "(%INSTALL_PATH%)\\VarnX.exe" },
    { REG_REMOVE, HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", "Varnoltix", NULL },
    { REG_REMOVE_QUIET, HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\run", "Varnolt", "" },
    { REG_REMOVE, HKEY_LOCAL_MACHINE, "Software\\Quorlen", "VarnX", NULL },
};

const MediaDigest MediaDigestTable[4] = { MEDIA_DIGEST_ROWS };

// No Modify or Repair is offered: the program has neither.
const EntryValue UninstallEntryValues[8] = {
    { "DisplayIcon", REG_SZ, "(%INSTALL_PATH%)\\VarnX.exe" },
    { "DisplayVersion", REG_SZ, "2.0" },
    { "Publisher", REG_SZ, "QUORLEN" },
    { "InstallLocation", REG_SZ, "(%INSTALL_PATH%)" },
    { "InstallDate", REG_SZ, "(%INSTALL_DATE%)" },
    { "EstimatedSize", REG_DWORD, "(%INSTALLED_KB%)" },
    { "NoModify", REG_DWORD, "1" },
    { "NoRepair", REG_DWORD, "1" },
};

const RegistryEntry& UninstallEntry = RegistryTable[1];

const RegistryEntry& ProductPathEntry = RegistryTable[2];

const ShortcutEntry ShortcutTable[4] = {
    { "Varnolt.lnk", "Varnolt 本体", "(%INSTALL_PATH%)\\VarnX.exe", "" },
    { "Varnolt の設定.lnk", "Varnolt の設定を行います", "(%SYSTEM_PATH%)\\control.exe", "VarnX.cpl" },
    { "Varnolt の削除.lnk", "Varnolt の削除します", "(%INSTALL_PATH%)\\Setup.exe", "/uninstall" },
    { "Readme.lnk", "Varnolt の説明テキスト", "(%INSTALL_PATH%)\\Readme.txt", "" },
};
