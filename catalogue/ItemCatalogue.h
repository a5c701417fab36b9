// What Varnolt's setup puts on the machine and takes off it again: three
// tables walked row by row, in order, by installation and removal alike.
#pragma once
#include "../framework/String.h"
#include "MediaDigests.h"
#include "../files/Sha256.h"

enum FileKind
{
    FILE_TO_INSTALL_DIR = 1,  // into the install folder; removed
    FILE_SETUP_SELF = 2,      // into the install folder; kept, it runs the removal
    FILE_TO_SYSTEM_DIR = 3,   // into the system folder; removed
};

enum RegistryKind
{
    REG_WRITE_AND_REMOVE = 1,  // written at install; removal failures reported
    REG_REMOVE_QUIET = 2,      // removal only, failures not reported
    REG_REMOVE = 3,            // removal only, failures reported
};

struct FileEntry
{
    int nKind;
    const char* pszSourceName;  // beside the running setup program
    const char* pszTargetName;
};

struct RegistryEntry
{
    int nKind;
    HKEY hRootKey;
    const char* pszSubKey;
    const char* pszName;  // the value, or for a row without data the key below pszSubKey
    const char* pszData;  // null: the row names a key, not a value
};

// A further value of the uninstall entry, for Windows' list of programs:
// text (REG_SZ, its placeholders expanded) or, without text, a number
// (REG_DWORD).
struct EntryValue
{
    const char* pszName;
    const char* pszText;
    DWORD dwNumber;
};
// The number that stands for the installed files' size, in KB rounded up.
const DWORD INSTALLED_KB = 0xFFFFFFFF;

// The SHA-256 of a product file as the build laid it out on the media.
struct MediaDigest
{
    char szSourceName[12];  // the name itself: the table holds no pointer to relocate
    BYTE digest[SHA256_LENGTH];
};

struct ShortcutEntry
{
    const char* pszLinkName;
    const char* pszDescription;
    const char* pszTarget;
    const char* pszArguments;
};

extern const FileEntry FileTable[6];
extern const RegistryEntry RegistryTable[6];
extern const ShortcutEntry ShortcutTable[4];
// Every source of the file table but Setup.exe, which is the running program
// and carries its own signature.
extern const MediaDigest MediaDigestTable[MEDIA_DIGEST_COUNT];
// The digest recorded for a media name; null for a name without one.
const BYTE* FindMediaDigest(const char* pszSourceName);
// The uninstall entry's further values, written in the step of the row that
// names the entry (its display name).
extern const EntryValue UninstallEntryValues[9];
BOOL NamesUninstallEntry(const RegistryEntry& row);
// Where the product key records the installed program: its folder is the
// install folder.
extern const char PRODUCT_SUBKEY[];
// The folder an install proposes below the folder chosen for it.
extern const char PRODUCT_FOLDER_NAME[];
extern const char PRODUCT_PATH_VALUE[];

// Whether a row's file goes into the install folder.
BOOL GoesToInstallFolder(const FileEntry& row);
// The longest name the install puts into the install folder.
int LongestInstalledName();
// The folder, of the two given, that a row's file goes to; null for a row
// of no known kind.
const CString* GetTargetFolder(const FileEntry& row, const CString& installFolder, const CString& systemFolder);
// The program group's folder, where the shortcut table's links go, in the
// Programs folder given; empty when that folder or the group's name is
// unknown.
CString GetProgramGroupFolder(const CString& programsFolder);

extern const char INSTALL_PATH_PLACEHOLDER[];
extern const char SYSTEM_PATH_PLACEHOLDER[];
extern const char INSTALL_DATE_PLACEHOLDER[];  // the local date, yyyymmdd

// One progress step per row of the three tables.
const int CATALOGUE_STEPS = ARRAYSIZE(FileTable) + ARRAYSIZE(RegistryTable) + ARRAYSIZE(ShortcutTable);
