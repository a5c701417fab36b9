#include "FolderRules.h"
#include "../catalogue/ItemCatalogue.h"
#include "../files/FileSystem.h"
#include "../paths/PathText.h"
#include "../windows/PathIdentity.h"
#include "../windows/WindowsFolders.h"
#include <string.h>

BOOL IsSharedFolder(const CString& longPath)
{
    CString windowsFolder = GetLongFolderPath(GetWindowsFolder());
    if (IsSameOrBelow(longPath, windowsFolder))
        return TRUE;
    const CString shared[] = {
        GetSystemFolder(),   GetProgramFilesFolder(), GetProgramFilesX86Folder(), GetProfilesFolder(),
        GetUserProfileFolder(), GetCommonAppDataFolder(),
    };
    for (const CString& folder : shared)
        if (!folder.IsEmpty() && longPath.CompareNoCase(GetLongFolderPath(folder)) == 0)
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
    // The folder, a backslash, the name and the terminator.
    if (path.GetLength() + 1 + nameLength + 1 > MAX_PATH)
        return FALSE;
    const char* text = path;
    int rootLength = FullPathRootLength(text);
    if (rootLength == 0 || !text[rootLength] || !HasNamesKeptAsWritten(text, rootLength))
        return FALSE;
    CString longForm = GetLongFolderPath(path);
    if (IsSharedFolder(longForm) || IsMediaFolder(path))
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
