// The install operations of CSetupApp: files, registry values and shortcuts,
// walked from the catalogue with the wizard's install settings.
#include "../app/SetupApp.h"
#include "../catalogue/FileHelpers.h"
#include "../catalogue/ItemCatalogue.h"
#include "../framework/ProgressCtrl.h"
#include "../wizard/MainPage.h"
#include "RegValueWriter.h"
#include "ShortcutWriter.h"
#include <new>
#include <stdlib.h>

namespace {

// The size of what the install put in place, as Windows' list of programs
// shows it: kilobytes, rounded up.
DWORD InstalledKilobytes(const CString& installFolder, const CString& systemFolder)
{
    ULONGLONG bytes = 0;
    for (const FileEntry& row : FileTable) {
        const CString* pFolder = GetTargetFolder(row, installFolder, systemFolder);
        WIN32_FILE_ATTRIBUTE_DATA file;
        if (pFolder && !pFolder->IsEmpty() &&
            ::GetFileAttributesExA(JoinPath(*pFolder, row.pszTargetName), GetFileExInfoStandard, &file))
            bytes += ((ULONGLONG)file.nFileSizeHigh << 32) | file.nFileSizeLow;
    }
    return (DWORD)((bytes + 1023) / 1024);
}

// The uninstall entry's further values, into its open key; false when any
// of them could not be written.
BOOL WriteEntryValues(CRegValueWriter& writer, HKEY hKey, const CString& installFolder, const CString& systemFolder)
{
    SYSTEMTIME today;
    ::GetLocalTime(&today);
    CString date, kilobytes;
    date.Format("%04u%02u%02u", today.wYear, today.wMonth, today.wDay);
    kilobytes.Format("%lu", InstalledKilobytes(installFolder, systemFolder));
    BOOL written = TRUE;
    for (const EntryValue& value : UninstallEntryValues) {
        CString data = value.pszData;
        data.Replace(INSTALL_PATH_PLACEHOLDER, installFolder);
        data.Replace(INSTALL_DATE_PLACEHOLDER, date);
        data.Replace(INSTALLED_KB_PLACEHOLDER, kilobytes);
        BOOL valueWritten = value.dwType == REG_DWORD
                                ? writer.WriteNumber(hKey, value.pszName, strtoul(data, NULL, 10))
                                : writer.WriteValue(hKey, value.pszName, data);
        written = written && valueWritten;
    }
    return written;
}

}

void CSetupApp::InstallFiles(CMainPage& sheet, CProgressCtrl& progress, CString& failureReport)
{
    CString systemFolder = sheet.m_strSystemFolder;
    CString installFolder = sheet.m_strInstallPath;
    CString sourceFolder = GetModuleFolder();

    for (const FileEntry& row : FileTable) {
        progress.StepIt();
        const CString* pFolder = GetTargetFolder(row, installFolder, systemFolder);
        if (!pFolder)
            continue;

        // Setup.exe is the running program, under its own signature; every
        // other source must be the file the build laid out.
        CString source = JoinPath(sourceFolder, row.pszSourceName);
        CString target = JoinPath(*pFolder, row.pszTargetName);
        if (pFolder->IsEmpty() || sourceFolder.IsEmpty() ||
            (row.nKind != FILE_SETUP_SELF && !sheet.m_mediaCheck.IsBuilt(source, row.pszSourceName)) ||
            !CopyInstallFile(source, target))
            AppendFailure(failureReport, "ファイルコピー：", target);
        ::Sleep(ITEM_PAUSE_MS);
    }
}

void CSetupApp::InstallRegistry(CMainPage& sheet, CProgressCtrl& progress, CString& failureReport)
{
    CString installFolder = sheet.m_strInstallPath;

    for (const RegistryEntry& row : RegistryTable) {
        progress.StepIt();
        if (row.nKind != REG_WRITE_AND_REMOVE)
            continue;

        CString data = row.pszData;
        data.Replace(INSTALL_PATH_PLACEHOLDER, installFolder);
        HKEY hKey;
        if (::RegCreateKeyExA(row.hRootKey, row.pszSubKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL,
                              &hKey, NULL) != ERROR_SUCCESS) {
            AppendFailure(failureReport, "レジストリ書き込み：HKEY_LOCAL_MACHINE\\", row.pszSubKey);
            continue;
        }
        CRegValueWriter* pWriter = new (std::nothrow) CRegValueWriter;
        BOOL written = pWriter && pWriter->WriteValue(hKey, row.pszName, data);
        // One line for the entry, whichever of its values failed.
        if (pWriter && &row == &UninstallEntry)
            written = WriteEntryValues(*pWriter, hKey, installFolder, sheet.m_strSystemFolder) && written;
        delete pWriter;
        ::RegCloseKey(hKey);
        if (!written)
            AppendFailure(failureReport, "レジストリ書き込み：HKEY_LOCAL_MACHINE\\", row.pszSubKey);
        ::Sleep(ITEM_PAUSE_MS);
    }
}

void CSetupApp::InstallShortcuts(CMainPage& sheet, CProgressCtrl& progress, CString& failureReport)
{
    CString systemFolder = sheet.m_strSystemFolder;
    CString linksFolder = GetProgramGroupFolder(sheet.m_strProgramsFolder);
    CString installFolder = sheet.m_strInstallPath;

    for (const ShortcutEntry& row : ShortcutTable) {
        progress.StepIt();
        CString linkPath = JoinPath(linksFolder, row.pszLinkName);
        CString target = row.pszTarget;
        BOOL needsSystemFolder = target.Replace(SYSTEM_PATH_PLACEHOLDER, systemFolder) > 0;
        target.Replace(INSTALL_PATH_PLACEHOLDER, installFolder);
        if (linksFolder.IsEmpty() || (needsSystemFolder && systemFolder.IsEmpty()) ||
            !CreateShortcut(linkPath, target, row.pszDescription, row.pszArguments))
            AppendFailure(failureReport, "ショートカット作成：", linkPath);
        ::Sleep(ITEM_PAUSE_MS);
    }
}
