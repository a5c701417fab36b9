#include "RegValueWriter.h"

CRegValueWriter::~CRegValueWriter() {}

BOOL CRegValueWriter::WriteValue(HKEY hKey, CString name, CString data)
{
    return ::RegSetValueExA(hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>((const char*)data),
                            data.GetLength() + 1) == ERROR_SUCCESS;
}

BOOL CRegValueWriter::WriteNumber(HKEY hKey, CString name, DWORD number)
{
    return ::RegSetValueExA(hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number) ==
           ERROR_SUCCESS;
}
