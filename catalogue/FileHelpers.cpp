#include "FileHelpers.h"
#include "ItemCatalogue.h"
#include "Platform.h"
#include "Sha256.h"
#include "../res/resource.h"
#include <shlobj.h>
#include <string.h>

namespace {

// Longest path the system hands out (the \\?\ form included).
const DWORD MAX_MODULE_PATH = 32768;

// The running program's file; empty when the system cannot tell.
CString GetModulePath()
{
    CString path;
    char* buffer = path.GetBuffer(MAX_MODULE_PATH);
    if (!buffer)
        return CString();
    DWORD length = ::GetModuleFileNameA(NULL, buffer, MAX_MODULE_PATH);
    if (length == 0 || length >= MAX_MODULE_PATH)
        return CString();
    path.ReleaseBuffer((int)length);
    return path;
}

// Names Windows gives to devices, with or without an extension.
const char DEVICE_NAMES[][5] = { "CON", "PRN", "AUX", "NUL", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
                                  "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9" };

// A name Windows would not keep as written: it strips a dot or a space at
// its end, and a device name opens the device instead.
BOOL IsAlteredName(const char* name, int length)
{
    if (length == 0 || name[length - 1] == '.' || name[length - 1] == ' ')
        return TRUE;
    // Windows drops the spaces before a device name's extension too.
    int baseLength = 0;
    while (baseLength < length && name[baseLength] != '.')
        ++baseLength;
    while (baseLength > 0 && name[baseLength - 1] == ' ')
        --baseLength;
    CString base;
    base.Format("%.*s", baseLength, name);
    for (const char* device : DEVICE_NAMES)
        if (base.CompareNoCase(device) == 0)
            return TRUE;
    return FALSE;
}

}

int FullPathRootLength(const char* text)
{
    BOOL driveLetter = (*text >= 'A' && *text <= 'Z') || (*text >= 'a' && *text <= 'z');
    if (driveLetter && text[1] == ':' && text[2] == '\\')
        return 3;
    if (text[0] != '\\' || text[1] != '\\')
        return 0;
    // Two names, the server's and the share's, neither of them empty; "."
    // and "?" name devices and raw paths, no server.
    if ((text[2] == '.' || text[2] == '?') && text[3] == '\\')
        return 0;
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

CString GetModuleFolder() { return GetParentFolder(GetModulePath()); }

BOOL IsMediaFolder(const CString& folder)
{
    for (const FileEntry& row : FileTable)
        if (strcmp(row.pszSourceName, row.pszTargetName) != 0 && PathExists(JoinPath(folder, row.pszSourceName)))
            return TRUE;
    return FALSE;
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
    if (IsSharedFolder(GetLongFolderPath(path)) || IsMediaFolder(path))
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

CString AsInstallFolder(const CString& folder)
{
    return IsUsableFolder(folder, LongestInstalledName()) ? GetLongFolderPath(folder) : CString();
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
    CString folder = WithoutTrailingSeparators(CollapseSeparators(destination));
    if (!IsUsableFolder(folder, LongestInstalledName()))
        return DESTINATION_UNUSABLE;
    destinationLong = GetLongFolderPath(folder);
    if (!registeredFolder.IsEmpty() && destinationLong.CompareNoCase(registeredFolder) != 0)
        return DESTINATION_NOT_REGISTERED;
    return DESTINATION_TAKEN;
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

HANDLE OpenInstallSource(const CString& path)
{
    return ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, NULL);
}

BOOL IsPlainFileAt(HANDLE hFile, const CString& fullPath)
{
    typedef DWORD(WINAPI * GetFinalPathNameByHandleFn)(HANDLE, LPSTR, DWORD, DWORD);
    BY_HANDLE_FILE_INFORMATION information;
    if (!::GetFileInformationByHandle(hFile, &information) || information.nNumberOfLinks != 1 ||
        (information.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)))
        return FALSE;
    // Where the system names a file by its handle (Vista on), that name is
    // the path's, once the system's "\\?\" form is undone.
    GetFinalPathNameByHandleFn getFinalPathName =
        FindKernelFunction<GetFinalPathNameByHandleFn>("GetFinalPathNameByHandleA");
    if (!getFinalPathName)
        return TRUE;
    char final[MAX_PATH + 8];
    DWORD length = getFinalPathName(hFile, final, sizeof final, 0);
    if (length == 0 || length >= sizeof final)
        return FALSE;
    CString name = final;
    if (name.Left(8).CompareNoCase("\\\\?\\UNC\\") == 0)
        name = CString("\\\\") + name.Mid(8);
    else if (name.Left(4).Compare("\\\\?\\") == 0)
        name = name.Mid(4);
    return name.CompareNoCase(GetLongFolderPath(fullPath)) == 0;
}

BOOL DeleteOpenFile(HANDLE hFile)
{
    typedef BOOL(WINAPI * SetFileInformationByHandleFn)(HANDLE, FILE_INFO_BY_HANDLE_CLASS, LPVOID, DWORD);
    SetFileInformationByHandleFn setFileInformation =
        FindKernelFunction<SetFileInformationByHandleFn>("SetFileInformationByHandle");
    FILE_DISPOSITION_INFO disposition = { TRUE };
    return setFileInformation && setFileInformation(hFile, FileDispositionInfo, &disposition, sizeof disposition);
}

BOOL IsFileOfModule(HANDLE hFile, HMODULE hModule)
{
    typedef LONG(NTAPI * NtAreMappedFilesTheSameFn)(PVOID, PVOID);
    HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    NtAreMappedFilesTheSameFn areMappedFilesTheSame = reinterpret_cast<NtAreMappedFilesTheSameFn>(
        reinterpret_cast<void*>(ntdll ? ::GetProcAddress(ntdll, "NtAreMappedFilesTheSame") : NULL));
    // The older family keeps a running program's file from being renamed.
    if (!areMappedFilesTheSame)
        return !IsWindowsNT();
    HANDLE hMapping = ::CreateFileMappingA(hFile, NULL, PAGE_READONLY, 0, 0, NULL);
    void* pView = hMapping ? ::MapViewOfFile(hMapping, FILE_MAP_READ, 0, 0, 0) : NULL;
    BOOL same = pView && areMappedFilesTheSame(hModule, pView) == 0;
    if (pView)
        ::UnmapViewOfFile(pView);
    if (hMapping)
        ::CloseHandle(hMapping);
    return same;
}

HANDLE OpenOwnProgramFile()
{
    // Until the file is held, its name can be given to another: what is
    // opened must be the file the program was started from.
    CString path = GetModulePath();
    HANDLE hFile = path.IsEmpty() ? INVALID_HANDLE_VALUE : OpenInstallSource(path);
    if (hFile != INVALID_HANDLE_VALUE && !IsFileOfModule(hFile, ::GetModuleHandleA(NULL))) {
        ::CloseHandle(hFile);
        return INVALID_HANDLE_VALUE;
    }
    return hFile;
}

CString GetTemporaryCopyPath(const CString& target) { return target + ".new"; }

namespace {

// The whole source from its start, hashed and, with a target, written there
// too; false when a read or a write fails or the source ends before the end
// its size gives.
BOOL CopyHashed(HANDLE hSource, HANDLE hTarget, BYTE digest[SHA256_LENGTH])
{
    DWORD sizeHigh = 0;
    DWORD sizeLow = ::GetFileSize(hSource, &sizeHigh);
    if ((sizeLow == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR) ||
        ::SetFilePointer(hSource, 0, NULL, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return FALSE;
    CSha256 sha;
    ULONGLONG total = 0;
    BYTE buffer[16384];
    DWORD read;
    BOOL readable;
    while ((readable = ::ReadFile(hSource, buffer, sizeof buffer, &read, NULL)) && read > 0) {
        DWORD written;
        if (hTarget && (!::WriteFile(hTarget, buffer, read, &written, NULL) || written != read))
            return FALSE;
        sha.Update(buffer, read);
        total += read;
    }
    sha.Final(digest);
    return readable && total == ((ULONGLONG)sizeHigh << 32 | sizeLow);
}

BOOL IsExpected(const BYTE digest[SHA256_LENGTH], const BYTE* pExpectedDigest)
{
    return !pExpectedDigest || memcmp(digest, pExpectedDigest, SHA256_LENGTH) == 0;
}

// The finished copy takes the target's place in one step. The older family
// has no MoveFileExA; it has no other users to fear in the gap either.
BOOL ReplaceWith(const CString& temporary, const CString& target)
{
    if (IsWindowsNT())
        return ::MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    return (::DeleteFileA(target) || !PathExists(target)) && ::MoveFileA(temporary, target);
}

}

BOOL CopyInstallFile(HANDLE hSource, CString target, const BYTE* pExpectedDigest)
{
    // Bytes that are not the expected ones are never written anywhere: the
    // source, which nobody can write while it is held, is checked before it
    // is copied, and what was written is checked again.
    BYTE digest[SHA256_LENGTH];
    if (hSource == INVALID_HANDLE_VALUE ||
        (pExpectedDigest && (!CopyHashed(hSource, NULL, digest) || !IsExpected(digest, pExpectedDigest))))
        return FALSE;
    CString folder = GetParentFolder(target);
    if (!PathExists(folder) && !CreateFolderTree(folder))
        return FALSE;

    // A leftover of a killed install goes first; a name that is taken again
    // meanwhile (a link someone planted) fails the copy rather than being
    // written through.
    CString temporary = GetTemporaryCopyPath(target);
    DeleteInstalledFile(temporary);
    HANDLE hTemporary = ::CreateFileA(temporary, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hTemporary == INVALID_HANDLE_VALUE)
        return FALSE;
    FILETIME lastWrite;
    BOOL complete = CopyHashed(hSource, hTemporary, digest) && IsExpected(digest, pExpectedDigest) &&
                    ::GetFileTime(hSource, NULL, NULL, &lastWrite) &&
                    ::SetFileTime(hTemporary, NULL, NULL, &lastWrite) && ::FlushFileBuffers(hTemporary);
    ::CloseHandle(hTemporary);

    BOOL replaced = complete && ReplaceWith(temporary, target);
    // A read-only earlier copy (from a CD, say) is replaced all the same, and
    // keeps its attribute if it stays. A link is never followed to change
    // what it points at.
    DWORD attributes = complete && !replaced ? ::GetFileAttributesA(target) : INVALID_FILE_ATTRIBUTES;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
        !(attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
        ::SetFileAttributesA(target, attributes & ~FILE_ATTRIBUTE_READONLY)) {
        replaced = ReplaceWith(temporary, target);
        if (!replaced)
            ::SetFileAttributesA(target, attributes);
    }
    if (!replaced)
        ::DeleteFileA(temporary);
    return replaced;
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
