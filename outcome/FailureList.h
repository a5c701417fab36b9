// CFailureList: what an install or a removal could not do, one line per
// item, in the order the walk met them.
#pragma once
#include "../framework/String.h"

class CFailureList
{
public:
    // One line: what failed, then the item.
    void Append(const char* pszWhat, const char* pszItem);
    BOOL IsEmpty() const { return m_strLines.IsEmpty(); }
    // Every line, each ended by "\n".
    const CString& GetLines() const { return m_strLines; }

private:
    CString m_strLines;
};
