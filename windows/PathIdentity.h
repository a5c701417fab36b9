// What Windows makes of a path: its full long form, and the folder or file
// that a name leads to, whatever other name (a short name, a junction, a
// share) reaches it.
#pragma once
#include "../framework/String.h"

// The path made full, with the part of it that exists in its long form
// ("C:\PROGRA~1\New" as "C:\Program Files\New"); as given when it cannot
// be made full.
CString GetLongFolderPath(const CString& path);

// What a folder is, whatever name reaches it: its volume and its index there.
struct FolderIdentity
{
    DWORD dwVolume;
    DWORD dwIndexHigh;
    DWORD dwIndexLow;
    bool operator==(const FolderIdentity& other) const
    {
        return dwVolume == other.dwVolume && dwIndexHigh == other.dwIndexHigh && dwIndexLow == other.dwIndexLow;
    }
};
// False where the folder does not exist, or the system cannot tell (the
// older family opens no folders).
BOOL GetFolderIdentity(const CString& path, FolderIdentity& identity);


// Whether a folder on the full path, or the path's last name itself, is a
// link (a junction, a symbolic link) rather than a folder or a volume
// mounted there: what is written below it would land elsewhere.
BOOL LeadsThroughLink(const CString& fullPath);
