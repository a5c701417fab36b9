#include "FolderRules.h"
#include "../catalogue/ItemCatalogue.h"
#include "../files/FileSystem.h"
#include "../files/VerifiedCopy.h"
#include "../paths/PathText.h"
#include "../windows/PathIdentity.h"
#include "../windows/WindowsFolders.h"
#include <string.h>

BOOL IsSharedFolder(const CString& longPath)
{
    CString windowsFolder = GetLongFolderPath(GetWindowsFolder());
    if (IsSameOrBelow(longPath, windowsFolder))
        return TRUE;
    CString profiles = GetProfilesFolder();
    const CString shared[] = {
        GetSystemFolder(),      GetProgramFilesFolder(),  GetProgramFilesX86Folder(), profiles,
        GetUserProfileFolder(), GetCommonAppDataFolder(),
    };
    for (const CString& folder : shared)
        if (!folder.IsEmpty() && longPath.CompareNoCase(GetLongFolderPath(folder)) == 0)
            return TRUE;
    // Every user's profile, not only the installing account's: an
    // administrator may install for someone else, or run as SYSTEM.
    if (!profiles.IsEmpty() && GetParentFolder(longPath).CompareNoCase(GetLongFolderPath(profiles)) == 0)
        return TRUE;

    // Other names of the same folders (a junction, an administrative share)
    // are told by what they name: the path itself against each of them, and
    // its folders that exist against the Windows folder.
    FolderIdentity identity, other;
    if (GetFolderIdentity(longPath, identity))
        for (const CString& folder : shared)
            if (GetFolderIdentity(folder, other) && identity == other)
                return TRUE;
    if (!GetFolderIdentity(windowsFolder, other))
        return FALSE;
    int rootLength = FullPathRootLength(longPath);
    for (CString folder = longPath; rootLength > 0 && folder.GetLength() >= rootLength;
         folder = GetParentFolder(folder))
        if (GetFolderIdentity(folder, identity) && identity == other)
            return TRUE;
    return FALSE;
}

BOOL IsMediaFolder(const CString& folder)
{
    for (const FileEntry& row : FileTable)
        if (strcmp(row.pszSourceName, row.pszTargetName) != 0 && PathExists(JoinPath(folder, row.pszSourceName)))
            return TRUE;
    return FALSE;
}

BOOL IsUsableFolder(const CString& typedPath, int nameLength, CString* pLongForm)
{
    CString path = WithoutTrailingSeparators(typedPath);
    const char* text = path;
    int rootLength = FullPathRootLength(text);
    if (rootLength == 0 || !text[rootLength] || !HasNamesKeptAsWritten(text, rootLength))
        return FALSE;
    // What the install writes: the folder as Windows names it, a backslash,
    // the name with the suffix of the copy written beside it, and the
    // terminator.
    CString longForm = GetLongFolderPath(path);
    if (longForm.GetLength() + 1 + nameLength + LONGEST_SIDE_SUFFIX + 1 > MAX_PATH || IsSharedFolder(longForm) ||
        IsMediaFolder(path))
        return FALSE;
    CString root = path.Left(rootLength);
    if (text[rootLength - 1] != '\\')
        root += "\\";
    DWORD attributes = ::GetFileAttributesA(root);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return FALSE;
    attributes = ::GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return FALSE;
    if (pLongForm)
        *pLongForm = longForm;
    return TRUE;
}

CString AsInstallFolder(const CString& folder)
{
    CString longForm;
    return IsUsableFolder(folder, LongestInstalledName(), &longForm) ? longForm : CString();
}
