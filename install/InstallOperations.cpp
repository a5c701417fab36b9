#include "InstallOperations.h"
#include "../catalogue/ItemCatalogue.h"
#include "../destination/InstallDestination.h"
#include "../files/FileSystem.h"
#include "../files/HeldFolder.h"
#include "../files/OwnProgram.h"
#include "../files/VerifiedCopy.h"
#include "../paths/PathText.h"
#include "../windows/WindowsFolders.h"
#include "RegValueWriter.h"
#include "ShortcutWriter.h"
#include <new>
#include <objbase.h>

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

// A media file, held open until it is copied, and installed only as the
// build laid it out.
FileFate CopyFromMedia(const CString& sourceFolder, const char* pszSourceName, const CString& target)
{
    const BYTE* pDigest = FindMediaDigest(pszSourceName);
    if (sourceFolder.IsEmpty() || !pDigest)
        return FILE_FAILED;
    HANDLE hSource = OpenInstallSource(JoinPath(sourceFolder, pszSourceName));
    FileFate copied = CopyInstallFile(hSource, target, pDigest);
    if (hSource != INVALID_HANDLE_VALUE)
        ::CloseHandle(hSource);
    return copied;
}

// The uninstall entry's further values, into its open key; false when any
// of them could not be written.
BOOL WriteEntryValues(CRegValueWriter& writer, HKEY hKey, const CString& installFolder, const CString& systemFolder)
{
    SYSTEMTIME today;
    ::GetLocalTime(&today);
    CString date;
    date.Format("%04u%02u%02u", today.wYear, today.wMonth, today.wDay);
    BOOL written = TRUE;
    for (const EntryValue& value : UninstallEntryValues) {
        BOOL valueWritten;
        if (value.pszText) {
            CString text = value.pszText;
            text.Replace(INSTALL_PATH_PLACEHOLDER, installFolder);
            text.Replace(INSTALL_DATE_PLACEHOLDER, date);
            valueWritten = writer.WriteValue(hKey, value.pszName, text);
        } else {
            DWORD number = value.dwNumber == INSTALLED_KB ? InstalledKilobytes(installFolder, systemFolder)
                                                          : value.dwNumber;
            valueWritten = writer.WriteNumber(hKey, value.pszName, number);
        }
        written = written && valueWritten;
    }
    return written;
}

}

CInstallOperations::CInstallOperations(const InstallSettings& settings, CProgressSink& progress,
                                       CFailureList& failures, CRestartList& restarts)
    : m_settings(settings), m_progress(progress), m_failures(failures), m_restarts(restarts), m_bFolderTaken(FALSE)
{
}

BOOL CInstallOperations::Run()
{
    // What is in the install folder runs elevated again: the folder is made
    // closed to others, or found so (the registered install's is closed
    // again: an earlier version may have left it open), and held until the
    // last row. Where it is not, nothing is written and nothing made to
    // point at it: every row fails.
    const CString& installFolder = m_settings.m_strInstallPath;
    CHeldFolder heldFolder;
    m_bFolderTaken = !installFolder.IsEmpty() && (PathExists(installFolder) || CreateFolderTree(installFolder)) &&
                     heldFolder.Hold(installFolder) &&
                     (installFolder.CompareNoCase(GetRegisteredInstallFolder()) != 0 ||
                      heldFolder.Protect(installFolder)) &&
                     heldFolder.IsClosedToOthers();
    InstallFiles(heldFolder);
    InstallRegistry();
    if (m_settings.m_bCreateShortcuts)
        InstallShortcuts();
    else
        for (int row = 0; row < (int)ARRAYSIZE(ShortcutTable); ++row)
            m_progress.StepRow();
    return m_bFolderTaken;
}

void CInstallOperations::InstallFiles(const CHeldFolder& heldFolder)
{
    const CString& systemFolder = m_settings.m_strSystemFolder;
    const CString& installFolder = m_settings.m_strInstallPath;
    CString sourceFolder = GetModuleFolder();

    for (const FileEntry& row : FileTable) {
        m_progress.StepRow();
        const CString* pFolder = GetTargetFolder(row, installFolder, systemFolder);
        if (!pFolder)
            continue;

        // Setup.exe is the running program, held open since it started and
        // under its own signature.
        CString target = JoinPath(*pFolder, row.pszTargetName);
        FileFate copied = !m_bFolderTaken || pFolder->IsEmpty() ||
                                  (GoesToInstallFolder(row) && !heldFolder.IsAt(installFolder))
                              ? FILE_FAILED
                          : row.nKind == FILE_SETUP_SELF ? CopyInstallFile(m_settings.m_hSetupProgram, target, NULL)
                                                         : CopyFromMedia(sourceFolder, row.pszSourceName, target);
        if (copied == FILE_FAILED)
            m_failures.Append("ファイルコピー：", target);
        else if (copied != FILE_DONE)
            m_restarts.Append(target, copied == FILE_WAITS);
        m_progress.PauseAfterItem();
    }
}

void CInstallOperations::InstallRegistry()
{
    const CString& installFolder = m_settings.m_strInstallPath;

    for (const RegistryEntry& row : RegistryTable) {
        m_progress.StepRow();
        if (row.nKind != REG_WRITE_AND_REMOVE)
            continue;

        CString data = row.pszData;
        data.Replace(INSTALL_PATH_PLACEHOLDER, installFolder);
        HKEY hKey;
        if (!m_bFolderTaken || ::RegCreateKeyExA(row.hRootKey, row.pszSubKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                                                 KEY_ALL_ACCESS, NULL, &hKey, NULL) != ERROR_SUCCESS) {
            m_failures.Append("レジストリ書き込み：HKEY_LOCAL_MACHINE\\", row.pszSubKey);
            continue;
        }
        CRegValueWriter* pWriter = new (std::nothrow) CRegValueWriter;
        BOOL written = pWriter && pWriter->WriteValue(hKey, row.pszName, data);
        // One line for the entry, whichever of its values failed.
        if (pWriter && NamesUninstallEntry(row))
            written = WriteEntryValues(*pWriter, hKey, installFolder, m_settings.m_strSystemFolder) && written;
        delete pWriter;
        ::RegCloseKey(hKey);
        if (!written)
            m_failures.Append("レジストリ書き込み：HKEY_LOCAL_MACHINE\\", row.pszSubKey);
        m_progress.PauseAfterItem();
    }
}

void CInstallOperations::InstallShortcuts()
{
    const CString& systemFolder = m_settings.m_strSystemFolder;
    CString linksFolder = GetProgramGroupFolder(m_settings.m_strProgramsFolder);

    // The system folder's programs are started from where they can load the
    // applet that the system folder got.
    CString hostFolder = systemFolder.IsEmpty() ? CString() : GetAppletHostFolder(systemFolder);
    // COM stays up for the whole walk: each link's writer then finds it
    // running instead of starting and stopping it again.
    HRESULT com = ::CoInitialize(NULL);

    for (const ShortcutEntry& row : ShortcutTable) {
        m_progress.StepRow();
        CString linkPath = JoinPath(linksFolder, row.pszLinkName);
        CString target = row.pszTarget;
        BOOL needsSystemFolder = target.Replace(SYSTEM_PATH_PLACEHOLDER, hostFolder) > 0;
        target.Replace(INSTALL_PATH_PLACEHOLDER, m_settings.m_strInstallPath);
        if (!m_bFolderTaken || linksFolder.IsEmpty() || (needsSystemFolder && hostFolder.IsEmpty()) ||
            !CreateShortcut(linkPath, target, row.pszDescription, row.pszArguments))
            m_failures.Append("ショートカット作成：", linkPath);
        m_progress.PauseAfterItem();
    }
    if (SUCCEEDED(com))
        ::CoUninitialize();
}
