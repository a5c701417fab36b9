// CStdioFile: a file read through the C runtime's buffered streams. No
// exceptions: a failed open or read shows in the result.
#pragma once
#include "String.h"
#include <stdio.h>

class CStdioFile
{
public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        typeText = 0x4000,  // line ends CR LF read as LF
    };

    CStdioFile();
    ~CStdioFile();

    // Opens for reading only; FALSE when the file cannot be opened.
    BOOL Open(const char* pszFileName, UINT nOpenFlags);
    // The next line without its line end; FALSE at the end of the file or on
    // a read error, with nothing read.
    BOOL ReadString(CString& rString);
    void Close();

private:
    CStdioFile(const CStdioFile&);
    CStdioFile& operator=(const CStdioFile&);

    FILE* m_pStream;
};
