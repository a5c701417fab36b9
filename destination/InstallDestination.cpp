#include "InstallDestination.h"
#include "../catalogue/ItemCatalogue.h"
#include "../paths/PathText.h"
#include "../windows/WindowsFolders.h"
#include "FolderRules.h"

CString GetRegisteredInstallFolder()
{
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, PRODUCT_SUBKEY, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return CString();
    char program[MAX_PATH];
    DWORD type = 0;
    DWORD size = sizeof program;
    LONG result = ::RegQueryValueExA(hKey, PRODUCT_PATH_VALUE, NULL, &type, reinterpret_cast<BYTE*>(program), &size);
    ::RegCloseKey(hKey);
    if (result != ERROR_SUCCESS || type != REG_SZ || size == 0 || program[size - 1] != 0)
        return CString();
    // A stale entry, or one edited by hand, may name any folder.
    return AsInstallFolder(GetParentFolder(program));
}

CString GetDefaultInstallFolder(const CString& registeredFolder)
{
    if (!registeredFolder.IsEmpty())
        return registeredFolder;
    CString systemFolder = GetSystemFolder();
    return systemFolder.IsEmpty() ? CString() : JoinPath(systemFolder.Left(3) + "Program Files", PRODUCT_FOLDER_NAME);
}

DestinationVerdict CheckDestination(const CString& destination, const CString& registeredFolder,
                                    CString& destinationLong)
{
    destinationLong = AsInstallFolder(WithoutTrailingSeparators(CollapseSeparators(destination)));
    if (destinationLong.IsEmpty())
        return DESTINATION_UNUSABLE;
    if (!registeredFolder.IsEmpty() && destinationLong.CompareNoCase(registeredFolder) != 0)
        return DESTINATION_NOT_REGISTERED;
    return DESTINATION_TAKEN;
}
