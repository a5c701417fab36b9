// CRegValueWriter: writes one value into an open key.
#pragma once
#include "../framework/Object.h"
#include "../framework/String.h"

class CRegValueWriter : public CObject
{
public:
    virtual ~CRegValueWriter();

    // REG_SZ with its terminating zero; replaces a value of that name.
    BOOL WriteValue(HKEY hKey, CString name, CString data);
    // REG_DWORD; replaces a value of that name.
    BOOL WriteNumber(HKEY hKey, CString name, DWORD number);
};
