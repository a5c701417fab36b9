#include "FileHelpers.h"
#include "ItemCatalogue.h"
#include "../res/resource.h"
#include <shlobj.h>
#include <string.h>

namespace {

// Longest path the system hands out (the \\?\ form included).
const DWORD MAX_MODULE_PATH = 32768;

// The length of a full path's root, its backslash included ("C:\",
// "\\server\share\"); 0 for a path that is not a full one.
int FullPathRootLength(const char* text)
{
    BOOL driveLetter = (*text >= 'A' && *text <= 'Z') || (*text >= 'a' && *text <= 'z');
    if (driveLetter && text[1] == ':' && text[2] == '\\')
        return 3;
    if (text[0] != '\\' || text[1] != '\\')
        return 0;
    // Two names, the server's and the share's, neither of them empty.
    int i = 2;
    for (int name = 0; name < 2; ++name) {
        int start = i;
        while (text[i] && text[i] != '\\')
            i = (int)(NextCharacter(text + i) - text);
        if (i == start || (name == 0 && !text[i]))
            return 0;
        if (name == 0)
            ++i;
    }
    return text[i] ? i + 1 : i;
}

// Names Windows gives to devices, with or without an extension.
const char* const DEVICE_NAMES[] = { "CON", "PRN", "AUX", "NUL", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6",
                                     "COM7", "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6",
                                     "LPT7", "LPT8", "LPT9" };

// A name Windows would not keep as written: it strips a dot or a space at
// its end, and a device name opens the device instead.
BOOL IsAlteredName(const char* name, int length)
{
    if (length == 0 || name[length - 1] == '.' || name[length - 1] == ' ')
        return TRUE;
    int baseLength = 0;
    while (baseLength < length && name[baseLength] != '.')
        ++baseLength;
    CString base;
    base.Format("%.*s", baseLength, name);
    for (const char* device : DEVICE_NAMES)
        if (base.CompareNoCase(device) == 0)
            return TRUE;
    return FALSE;
}

// Folders that belong to Windows itself.
BOOL IsWindowsFolder(const CString& path)
{
    char windows[MAX_PATH];
    UINT length = ::GetWindowsDirectoryA(windows, MAX_PATH);
    if (length > 0 && length < MAX_PATH && path.CompareNoCase(WithoutTrailingSeparators(windows)) == 0)
        return TRUE;
    CString system = GetSystemFolder();
    return !system.IsEmpty() && path.CompareNoCase(WithoutTrailingSeparators(system)) == 0;
}

}

CString WithoutTrailingSeparators(CString path)
{
    int last;
    while ((last = path.ReverseFind('\\')) >= 0 && last == path.GetLength() - 1)
        path = path.Left(last);
    return path;
}

CString CollapseSeparators(CString path)
{
    path.Replace("/", "\\");
    BOOL network = path.Left(2).Compare("\\\\") == 0;
    CString rest = network ? path.Mid(2) : path;
    rest.Replace("\\\\", "\\");
    return network ? CString("\\\\") + rest : rest;
}

CString GetRegisteredInstallFolder()
{
    HKEY hKey;
    if (::RegOpenKeyExA(ProductPathEntry.hRootKey, ProductPathEntry.pszSubKey, 0, KEY_QUERY_VALUE, &hKey) !=
        ERROR_SUCCESS)
        return CString();
    char program[MAX_PATH];
    DWORD type = 0;
    DWORD size = sizeof program;
    LONG result = ::RegQueryValueExA(hKey, ProductPathEntry.pszName, NULL, &type, reinterpret_cast<BYTE*>(program),
                                     &size);
    ::RegCloseKey(hKey);
    if (result != ERROR_SUCCESS || type != REG_SZ || size == 0 || program[size - 1] != 0)
        return CString();
    CString folder = GetParentFolder(program);
    return FullPathRootLength(folder) > 0 ? folder : CString();
}

CString GetModuleFolder()
{
    CString path;
    char* buffer = path.GetBuffer(MAX_MODULE_PATH);
    if (!buffer)
        return CString();
    DWORD length = ::GetModuleFileNameA(NULL, buffer, MAX_MODULE_PATH);
    if (length == 0 || length >= MAX_MODULE_PATH)
        return CString();
    path.ReleaseBuffer((int)length);
    return GetParentFolder(path);
}

CString GetSystemFolder()
{
    char buffer[MAX_PATH];
    UINT length = ::GetSystemDirectoryA(buffer, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? CString() : CString(buffer);
}

CString GetCommonProgramsFolder()
{
    char buffer[MAX_PATH];
    return ::SHGetSpecialFolderPathA(NULL, buffer, CSIDL_COMMON_PROGRAMS, TRUE) ? CString(buffer) : CString();
}

CString GetProgramGroupFolder(const CString& programsFolder)
{
    CString groupName;
    groupName.LoadString(IDS_PROGRAM_GROUP);
    return programsFolder.IsEmpty() || groupName.IsEmpty() ? CString() : JoinPath(programsFolder, groupName);
}

CString JoinPath(const CString& folder, const char* name)
{
    CString path = name;
    if (!folder.IsEmpty())
        path.Format("%s\\%s", (const char*)folder, name);
    return path;
}

BOOL IsUsableFolder(const CString& typedPath, int nameLength)
{
    CString path = WithoutTrailingSeparators(typedPath);
    // The folder, a backslash, the name and the terminator.
    if (path.GetLength() + 1 + nameLength + 1 > MAX_PATH)
        return FALSE;
    const char* text = path;
    int rootLength = FullPathRootLength(text);
    if (rootLength == 0 || !text[rootLength])
        return FALSE;
    // Past the drive's colon, character by character: a trail byte is
    // never taken for one of the forbidden characters.
    for (const char* character = text + 2; *character; character = NextCharacter(character))
        if (NextCharacter(character) == character + 1 &&
            ((unsigned char)*character < 0x20 || strchr("<>\"|?*:", *character)))
            return FALSE;
    for (const char* name = text + rootLength; *name;) {
        const char* end = name;
        while (*end && *end != '\\')
            end = NextCharacter(end);
        if (IsAlteredName(name, (int)(end - name)))
            return FALSE;
        name = *end ? end + 1 : end;
    }
    if (IsWindowsFolder(path))
        return FALSE;
    CString root = path.Left(rootLength);
    if (text[rootLength - 1] != '\\')
        root += "\\";
    DWORD attributes = ::GetFileAttributesA(root);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return FALSE;
    attributes = ::GetFileAttributesA(path);
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

CString GetParentFolder(const CString& path)
{
    int last = path.ReverseFind('\\');
    return last < 0 ? CString() : path.Left(last);
}

BOOL PathExists(const CString& path) { return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

BOOL CreateFolderTree(CString path)
{
    path = WithoutTrailingSeparators(path);
    CString parent = GetParentFolder(path);
    if (!PathExists(parent)) {
        if (parent.IsEmpty() || !CreateFolderTree(parent))
            return FALSE;
    }
    return ::CreateDirectoryA(path, NULL);
}

BOOL CopyInstallFile(CString source, CString target)
{
    CString folder = GetParentFolder(target);
    if (!PathExists(folder) && !CreateFolderTree(folder))
        return FALSE;
    if (!::CopyFileA(source, target, FALSE))
        return FALSE;
    // Removal and the next install must be able to replace what we put here.
    DWORD attributes = ::GetFileAttributesA(target);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return FALSE;
    return !(attributes & FILE_ATTRIBUTE_READONLY) ||
           ::SetFileAttributesA(target, attributes & ~FILE_ATTRIBUTE_READONLY);
}

BOOL DeleteInstalledFile(CString path)
{
    // A read-only file (copied from a CD, say) is ours to delete all the same.
    DWORD attributes = ::GetFileAttributesA(path);
    BOOL readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
                    !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (readOnly)
        ::SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    if (::DeleteFileA(path))
        return TRUE;
    if (readOnly)
        ::SetFileAttributesA(path, attributes);
    return FALSE;
}
