// CFailureList: what an install or a removal could not do, one line per
// item, in the order the walk met them.
#pragma once
#include "../framework/String.h"

class CFailureList
{
public:
    CFailureList() : m_bSomethingStays(FALSE) {}
    // One line: what failed, then the item. bStays: the item is still
    // there; a removal's item that was gone already is listed, but is no
    // failure of the run.
    void Append(const char* pszWhat, const char* pszItem, BOOL bStays = TRUE);
    BOOL IsEmpty() const { return m_strLines.IsEmpty(); }
    BOOL SomethingStays() const { return m_bSomethingStays; }
    // Every line, each ended by "\n".
    const CString& GetLines() const { return m_strLines; }

private:
    CString m_strLines;
    BOOL m_bSomethingStays;
};
