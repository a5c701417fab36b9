#include "FailureList.h"

void CFailureList::Append(const char* pszWhat, const char* pszItem, BOOL bStays)
{
    m_strLines += pszWhat;
    m_strLines += pszItem;
    m_strLines += "\n";
    m_bSomethingStays = m_bSomethingStays || bStays;
}
