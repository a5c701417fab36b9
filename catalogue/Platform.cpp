#include "Platform.h"
#include "FileHelpers.h"
#include <shlobj.h>

namespace {

typedef UINT(WINAPI* GetFolderFn)(LPSTR, UINT);
typedef DWORD(WINAPI* GetLongPathNameFn)(LPCSTR, LPSTR, DWORD);
typedef BOOL(WINAPI* IsWow64ProcessFn)(HANDLE, PBOOL);

CString FolderFrom(GetFolderFn getFolder)
{
    char buffer[MAX_PATH];
    UINT length = getFolder ? getFolder(buffer, MAX_PATH) : 0;
    return length == 0 || length >= MAX_PATH ? CString() : CString(buffer);
}

// A folder the machine's settings name, its variables expanded; empty when
// it names none. The 64-bit view, where a 32-bit program's is redirected.
CString MachineFolderSetting(const char* pszKey, const char* pszValue)
{
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, pszKey, 0, KEY_QUERY_VALUE | (IsWow64() ? KEY_WOW64_64KEY : 0), &hKey) !=
        ERROR_SUCCESS)
        return CString();
    char data[MAX_PATH];
    DWORD type = 0;
    DWORD size = sizeof data - 1;
    LONG result = ::RegQueryValueExA(hKey, pszValue, NULL, &type, reinterpret_cast<BYTE*>(data), &size);
    ::RegCloseKey(hKey);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return CString();
    data[size] = 0;
    // The system drive is the Windows folder's, whatever the environment,
    // which the user's own settings can change, says.
    CString setting = data;
    setting.Replace("%SystemDrive%", GetWindowsFolder().Left(2));
    char expanded[MAX_PATH];
    DWORD length = ::ExpandEnvironmentStringsA(setting, expanded, MAX_PATH);
    return length == 0 || length > MAX_PATH ? CString() : CString(expanded);
}

CString ShellFolder(int csidl)
{
    char buffer[MAX_PATH];
    return ::SHGetSpecialFolderPathA(NULL, buffer, csidl, FALSE) ? CString(buffer) : CString();
}

const char CURRENT_VERSION_KEY[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char PROFILE_LIST_KEY[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";

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
BOOL GetFolderIdentity(const CString& path, FolderIdentity& identity)
{
    HANDLE hFolder = ::CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
    if (hFolder == INVALID_HANDLE_VALUE)
        return FALSE;
    BY_HANDLE_FILE_INFORMATION information = {};
    BOOL known = ::GetFileInformationByHandle(hFolder, &information) &&
                 (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    ::CloseHandle(hFolder);
    identity.dwVolume = information.dwVolumeSerialNumber;
    identity.dwIndexHigh = information.nFileIndexHigh;
    identity.dwIndexLow = information.nFileIndexLow;
    return known;
}

// The whole of folder, or folder and what lies below it; never a part of a
// name, nor half of a double-byte character.
BOOL IsSameOrBelow(const CString& path, const CString& folder)
{
    int length = folder.GetLength();
    const char* text = path;
    const char* character = text;
    while (*character && character - text < length)
        character = NextCharacter(character);
    if (length == 0 || character - text != length || (*character && *character != '\\'))
        return FALSE;
    return path.Left(length).CompareNoCase(folder) == 0;
}

}

// The NT family's major version; 0 on the older family.
DWORD WindowsNTVersion()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ::GetVersionExA(&version);
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT ? version.dwMajorVersion : 0;
}

FARPROC FindKernelFunction(const char* pszName)
{
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    return kernel ? ::GetProcAddress(kernel, pszName) : NULL;
}

BOOL IsWindowsNT() { return WindowsNTVersion() > 0; }

BOOL IsWindows2000OrLater() { return WindowsNTVersion() >= 5; }

BOOL IsWow64()
{
    IsWow64ProcessFn isWow64Process = FindKernelFunction<IsWow64ProcessFn>("IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64Process && isWow64Process(::GetCurrentProcess(), &wow64) && wow64;
}

CString GetWindowsFolder()
{
    // Without terminal services' awareness the plain call names a folder of
    // the user's own on a terminal server; NT 4 and the older family have
    // only the plain call.
    GetFolderFn getSystemWindowsDirectory = FindKernelFunction<GetFolderFn>("GetSystemWindowsDirectoryA");
    return FolderFrom(getSystemWindowsDirectory ? getSystemWindowsDirectory : ::GetWindowsDirectoryA);
}

CString GetLongFolderPath(const CString& path)
{
    char full[MAX_PATH];
    DWORD length = ::GetFullPathNameA(path, MAX_PATH, full, NULL);
    if (length == 0 || length >= MAX_PATH)
        return path;
    GetLongPathNameFn getLongPathName = FindKernelFunction<GetLongPathNameFn>("GetLongPathNameA");
    int rootLength = FullPathRootLength(full);
    // The longest part that exists takes its long form; the rest, which
    // nothing can have shortened, follows as typed.
    CString existing = full;
    CString rest;
    while (getLongPathName && rootLength > 0 && existing.GetLength() > rootLength) {
        char longForm[MAX_PATH];
        DWORD longLength = getLongPathName(existing, longForm, MAX_PATH);
        if (longLength > 0 && longLength < MAX_PATH)
            return CString(longForm) + rest;
        int last = existing.ReverseFind('\\');
        rest = existing.Mid(last) + rest;
        existing = existing.Left(last);
    }
    return CString(full);
}

BOOL IsSharedFolder(const CString& longPath)
{
    CString windowsFolder = GetLongFolderPath(GetWindowsFolder());
    if (IsSameOrBelow(longPath, windowsFolder))
        return TRUE;
    const CString shared[] = {
        GetSystemFolder(),
        MachineFolderSetting(CURRENT_VERSION_KEY, "ProgramFilesDir"),
        MachineFolderSetting(CURRENT_VERSION_KEY, "ProgramFilesDir (x86)"),
        MachineFolderSetting(PROFILE_LIST_KEY, "ProfilesDirectory"),
        ShellFolder(CSIDL_PROFILE),
        ShellFolder(CSIDL_COMMON_APPDATA),
    };
    for (const CString& folder : shared)
        if (!folder.IsEmpty() && longPath.CompareNoCase(GetLongFolderPath(WithoutTrailingSeparators(folder))) == 0)
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

CString ChooseAppletHostFolder(BOOL bWow64, BOOL bWindowsNT, const CString& systemFolder,
                               const CString& wow64SystemFolder, const CString& windowsFolder)
{
    if (bWow64)
        return wow64SystemFolder;
    return bWindowsNT ? systemFolder : windowsFolder;
}

CString GetAppletHostFolder(const CString& systemFolder)
{
    BOOL wow64 = IsWow64();
    CString wow64SystemFolder =
        wow64 ? FolderFrom(FindKernelFunction<GetFolderFn>("GetSystemWow64DirectoryA")) : CString();
    return ChooseAppletHostFolder(wow64, IsWindowsNT(), systemFolder, wow64SystemFolder, GetWindowsFolder());
}
