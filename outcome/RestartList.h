// CRestartList: the files whose install or removal the next restart of
// Windows completes, one line per file, in the order the walk met them.
#pragma once
#include "../framework/String.h"

class CRestartList
{
public:
    CRestartList() : m_bCopyWaits(FALSE) {}
    // bCopyWaits: the new copy takes the file's place only at the restart.
    void Append(const char* pszPath, BOOL bCopyWaits);
    BOOL IsEmpty() const { return m_strLines.IsEmpty(); }
    // Every line, each ended by "\n".
    const CString& GetLines() const { return m_strLines; }
    // Whether a copy waits: the product would run new and old files together.
    BOOL CopyWaits() const { return m_bCopyWaits; }

private:
    CString m_strLines;
    BOOL m_bCopyWaits;
};
