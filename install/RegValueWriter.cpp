#include "RegValueWriter.h"

CRegValueWriter::~CRegValueWriter() {}

BOOL CRegValueWriter::WriteValue(HKEY hKey, CString name, CString data)
{
    return ::RegSetValueExA(hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>((const char*)data),
                            data.GetLength() + 1) == ERROR_SUCCESS;
}
