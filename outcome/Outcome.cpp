#include "Outcome.h"

COutcome::COutcome() : m_bQuiet(FALSE), m_nExitCode(ERROR_SUCCESS) {}

int COutcome::MessageBox(HWND hOwner, const char* pszText, const char* pszCaption, UINT nType, int nQuietAnswer)
{
    m_strLog += "[";
    m_strLog += pszCaption;
    m_strLog += "]\n";
    m_strLog += pszText;
    m_strLog += "\n";
    return m_bQuiet ? nQuietAnswer : ::MessageBoxA(hOwner, pszText, pszCaption, nType);
}

void COutcome::RefuseDestination(HWND hOwner, DestinationVerdict verdict, const CString& registeredFolder)
{
    if (verdict == DESTINATION_NOT_REGISTERED)
        MessageBox(hOwner,
                   CString("Varnolt は既に次のフォルダにインストールされています。\n\n") + registeredFolder +
                       "\n\n別のフォルダにインストールするには、先に Varnolt を削除してください。",
                   "ERROR", MB_ICONEXCLAMATION | MB_OK);
    else
        MessageBox(hOwner,
                   "インストール先のフォルダが正しくありません。\n\n"
                   "ドライブ名から始まるフルパスを入力してください。（例：C:\\Program Files\\VarnX）",
                   "ERROR", MB_ICONWARNING);
}

void COutcome::ReportFailures(const CFailureList& failures, HWND hOwner)
{
    if (failures.IsEmpty()) {
        m_nExitCode = ERROR_SUCCESS;
        return;
    }
    m_nExitCode = ERROR_INSTALL_FAILURE;
    MessageBox(hOwner, CString("下記の内容が失敗しました。\n\n") + failures.GetLines(), "ERROR!", MB_ICONINFORMATION);
}

int COutcome::Finish()
{
    if (m_strLogFile.IsEmpty())
        return m_nExitCode;
    CString text;
    text.Format("%s終了コード：%d\n", (const char*)m_strLog, m_nExitCode);
    // Shift-JIS with CR LF, as Notepad reads it on a Japanese system.
    text.Replace("\n", "\r\n");
    // Replaced by a new file: a link planted at its name (in a temporary
    // folder, say) goes, and is never written through.
    ::DeleteFileA(m_strLogFile);
    HANDLE hFile = ::CreateFileA(m_strLogFile, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile != INVALID_HANDLE_VALUE) {
        DWORD written;
        ::WriteFile(hFile, (const char*)text, (DWORD)text.GetLength(), &written, NULL);
        ::CloseHandle(hFile);
    }
    return m_nExitCode;
}
