#include "StdioFile.h"
#include <string.h>

CStdioFile::CStdioFile() : m_pStream(NULL) {}

CStdioFile::~CStdioFile() { Close(); }

BOOL CStdioFile::Open(const char* pszFileName, UINT nOpenFlags)
{
    Close();
    m_pStream = fopen(pszFileName, (nOpenFlags & typeText) ? "rt" : "rb");
    return m_pStream != NULL;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    rString.Empty();
    if (!m_pStream)
        return FALSE;
    BOOL read = FALSE;
    char chunk[512];
    while (fgets(chunk, sizeof chunk, m_pStream)) {
        read = TRUE;
        size_t length = strlen(chunk);
        BOOL lineEnds = length > 0 && chunk[length - 1] == '\n';
        if (lineEnds)
            chunk[length - 1] = 0;
        rString += chunk;
        if (lineEnds)
            break;
    }
    return read;
}

void CStdioFile::Close()
{
    if (m_pStream)
        fclose(m_pStream);
    m_pStream = NULL;
}
