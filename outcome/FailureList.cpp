#include "FailureList.h"

void CFailureList::Append(const char* pszWhat, const char* pszItem)
{
    m_strLines += pszWhat;
    m_strLines += pszItem;
    m_strLines += "\n";
}
