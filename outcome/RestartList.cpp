#include "RestartList.h"

void CRestartList::Append(const char* pszPath, BOOL bCopyWaits)
{
    m_strLines += pszPath;
    m_strLines += "\n";
    m_bCopyWaits = m_bCopyWaits || bCopyWaits;
}
