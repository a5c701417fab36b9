#include "InstallDestination.h"
#include "../catalogue/ItemCatalogue.h"
#include "../files/FolderAccess.h"
#include "../paths/PathText.h"
#include "../windows/WindowsFolders.h"
#include "../windows/WindowsVersion.h"
#include "FolderRules.h"

namespace {

// The registered folder in the registry view given; 0 is the program's own.
CString GetRegisteredFolderIn(REGSAM view)
{
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, PRODUCT_SUBKEY, 0, KEY_QUERY_VALUE | view, &hKey) != ERROR_SUCCESS)
        return CString();
    char program[MAX_PATH];
    DWORD type = 0;
    DWORD size = sizeof program;
    LONG result = ::RegQueryValueExA(hKey, PRODUCT_PATH_VALUE, NULL, &type, reinterpret_cast<BYTE*>(program), &size);
    ::RegCloseKey(hKey);
    if (result != ERROR_SUCCESS || type != REG_SZ || size == 0 || program[size - 1] != 0)
        return CString();
    // A stale entry, or one edited by hand, may name any folder. The other
    // build's is only named, never used, and counts even where its folder
    // would be refused now (its drive gone, say).
    CString folder = GetParentFolder(program);
    return view ? folder : AsInstallFolder(folder);
}

}

CString GetRegisteredInstallFolder() { return GetRegisteredFolderIn(0); }

RegisteredInstall FindRegisteredInstall()
{
    // 32-bit Windows and the older family have one view, and no flag for it.
    REGSAM otherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : IsWow64() ? KEY_WOW64_64KEY : 0;
    RegisteredInstall registered = { GetRegisteredFolderIn(otherView), otherView != 0 };
    if (registered.bOtherBuild && registered.strFolder.IsEmpty()) {
        registered.strFolder = GetRegisteredInstallFolder();
        registered.bOtherBuild = FALSE;
    }
    return registered;
}

CString GetDefaultInstallFolder(const CString& registeredFolder)
{
    if (!registeredFolder.IsEmpty())
        return registeredFolder;
    CString programFiles = GetOwnProgramFilesFolder();
    return programFiles.IsEmpty() ? CString() : JoinPath(programFiles, PRODUCT_FOLDER_NAME);
}

DestinationVerdict CheckDestination(const CString& destination, const RegisteredInstall& registered,
                                    CString& destinationLong)
{
    if (registered.bOtherBuild)
        return DESTINATION_OTHER_BUILD;
    destinationLong = AsInstallFolder(WithoutTrailingSeparators(CollapseSeparators(destination)));
    if (destinationLong.IsEmpty())
        return DESTINATION_UNUSABLE;
    if (!registered.strFolder.IsEmpty() && destinationLong.CompareNoCase(registered.strFolder) != 0)
        return DESTINATION_NOT_REGISTERED;
    return IsFolderClosedToOthers(destinationLong, !registered.strFolder.IsEmpty()) ? DESTINATION_TAKEN
                                                                               : DESTINATION_OPEN_TO_OTHERS;
}
