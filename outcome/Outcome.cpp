#include "Outcome.h"
#include "../files/FileSystem.h"
#include "../files/HeldFolder.h"
#include "../paths/PathText.h"

COutcome::COutcome() : m_bQuiet(FALSE), m_bCopyWaits(FALSE), m_nExitCode(ERROR_SUCCESS) {}

void COutcome::SetLogFile(const CString& path)
{
    // Made full now: the run does not change its folder, but a relative
    // name is read against the folder it was started in.
    char full[MAX_PATH];
    DWORD length = path.IsEmpty() ? 0 : ::GetFullPathNameA(path, MAX_PATH, full, NULL);
    m_strLogFile = length > 0 && length < MAX_PATH ? CString(full) : CString();
}

void COutcome::Log(const char* pszText)
{
    m_strLog += pszText;
    m_strLog += "\n";
}

int COutcome::MessageBox(HWND hOwner, const char* pszText, const char* pszCaption, UINT nType, int nQuietAnswer)
{
    m_strLog += "[";
    m_strLog += pszCaption;
    m_strLog += "]\n";
    Log(pszText);
    return m_bQuiet ? nQuietAnswer : ::MessageBoxA(hOwner, pszText, pszCaption, nType);
}

void COutcome::RefuseDestination(HWND hOwner, DestinationVerdict verdict, const CString& registeredFolder)
{
    if (verdict == DESTINATION_NOT_REGISTERED || verdict == DESTINATION_OTHER_BUILD)
        MessageBox(hOwner,
                   CString("Varnolt は既に次のフォルダにインストールされています。\n\n") + registeredFolder +
                       "\n\n別のフォルダにインストールするには、先に Varnolt を削除してください。",
                   "ERROR", MB_ICONEXCLAMATION | MB_OK);
    else if (verdict == DESTINATION_OPEN_TO_OTHERS)
        MessageBox(hOwner, "このフォルダは管理者以外のユーザーも変更できるため、インストール先にできません。", "ERROR",
                   MB_ICONEXCLAMATION);
    else
        MessageBox(hOwner,
                   "インストール先のフォルダが正しくありません。\n\n"
                   "ドライブ名から始まるフルパスを入力してください。（例：C:\\Program Files\\VarnX）",
                   "ERROR", MB_ICONWARNING);
}

void COutcome::ReportWalk(const CFailureList& failures, const CRestartList& restarts)
{
    m_nExitCode = failures.SomethingStays() ? ERROR_INSTALL_FAILURE
                  : restarts.IsEmpty()      ? ERROR_SUCCESS
                                            : ERROR_SUCCESS_REBOOT_REQUIRED;
    m_bCopyWaits = restarts.CopyWaits();
    if (!failures.IsEmpty())
        MessageBox(NULL, CString("下記の内容が失敗しました。\n\n") + failures.GetLines(), "ERROR!", MB_ICONINFORMATION);
    if (!restarts.IsEmpty())
        MessageBox(NULL,
                   CString("次のファイルは使用中のため、Windows の再起動後に処理が完了します。\n\n") +
                       restarts.GetLines(),
                   "確認", MB_ICONINFORMATION);
}

int COutcome::Finish()
{
    if (m_strLogFile.IsEmpty())
        return m_nExitCode;
    CString text;
    text.Format("%s終了コード：%d\n", (const char*)m_strLog, m_nExitCode);
    // Shift-JIS with CR LF, as Notepad reads it on a Japanese system.
    text.Replace("\n", "\r\n");
    // The log may be asked for in a folder other users can write to (a
    // temporary folder, say): it is written only into a plain file at its
    // name, in a folder held while it is written, never through a link or a
    // junction planted there, and a file made somewhere else by one goes
    // again.
    CString logFolder = GetParentFolder(m_strLogFile);
    // A drive's or a share's root is named with its backslash.
    if (FullPathRootLength(logFolder + "\\") == logFolder.GetLength() + 1)
        logFolder += "\\";
    CHeldFolder folder;
    HANDLE hFile = folder.Hold(logFolder)
                       ? ::CreateFileA(m_strLogFile, GENERIC_WRITE | DELETE, 0, NULL, OPEN_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, NULL)
                       : INVALID_HANDLE_VALUE;
    if (hFile == INVALID_HANDLE_VALUE)
        return m_nExitCode;
    BOOL made = ::GetLastError() != ERROR_ALREADY_EXISTS;
    BY_HANDLE_FILE_INFORMATION information;
    DWORD written;
    if (::GetFileInformationByHandle(hFile, &information) && IsPlainFile(information)) {
        ::SetEndOfFile(hFile);
        ::WriteFile(hFile, (const char*)text, (DWORD)text.GetLength(), &written, NULL);
    } else if (made) {
        DeleteOpenFile(hFile);
    }
    ::CloseHandle(hFile);
    return m_nExitCode;
}
