#include "WindowsFolders.h"
#include "../paths/PathText.h"
#include "WindowsVersion.h"
#include <shlobj.h>

namespace {

typedef UINT(WINAPI* GetFolderFn)(LPSTR, UINT);

const char CURRENT_VERSION_KEY[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char PROFILE_LIST_KEY[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";

CString FolderFrom(GetFolderFn getFolder)
{
    char buffer[MAX_PATH];
    UINT length = getFolder ? getFolder(buffer, MAX_PATH) : 0;
    return length == 0 || length >= MAX_PATH ? CString() : CString(buffer);
}

// A folder the machine's settings name, its variables expanded. The 64-bit
// view, where a 32-bit program's is redirected.
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
    return length == 0 || length > MAX_PATH ? CString() : WithoutTrailingSeparators(expanded);
}

// Empty but for a 32-bit program on 64-bit Windows.
CString GetWow64SystemFolder()
{
    return IsWow64() ? FolderFrom(FindKernelFunction<GetFolderFn>("GetSystemWow64DirectoryA")) : CString();
}

CString ShellFolder(int csidl, BOOL bCreate)
{
    char buffer[MAX_PATH];
    return ::SHGetSpecialFolderPathA(NULL, buffer, csidl, bCreate) ? WithoutTrailingSeparators(buffer) : CString();
}

}

CString GetWindowsFolder()
{
    // Without terminal services' awareness the plain call names a folder of
    // the user's own on a terminal server; NT 4 and the older family have
    // only the plain call.
    GetFolderFn getSystemWindowsDirectory = FindKernelFunction<GetFolderFn>("GetSystemWindowsDirectoryA");
    return FolderFrom(getSystemWindowsDirectory ? getSystemWindowsDirectory : ::GetWindowsDirectoryA);
}

CString GetSystemFolder() { return FolderFrom(::GetSystemDirectoryA); }

CString GetProgramFilesFolder() { return MachineFolderSetting(CURRENT_VERSION_KEY, "ProgramFilesDir"); }

CString GetProgramFilesX86Folder() { return MachineFolderSetting(CURRENT_VERSION_KEY, "ProgramFilesDir (x86)"); }

CString GetProfilesFolder() { return MachineFolderSetting(PROFILE_LIST_KEY, "ProfilesDirectory"); }

CString GetOwnProgramFilesFolder()
{
    // Shells before version 5 do not name it; their Windows has one view.
    CString folder = ShellFolder(CSIDL_PROGRAM_FILES, FALSE);
    return folder.IsEmpty() ? GetProgramFilesFolder() : folder;
}

CString GetUserProfileFolder() { return ShellFolder(CSIDL_PROFILE, FALSE); }

CString GetCommonAppDataFolder() { return ShellFolder(CSIDL_COMMON_APPDATA, FALSE); }

CString GetCommonProgramsFolder() { return ShellFolder(CSIDL_COMMON_PROGRAMS, TRUE); }

CString ChooseAppletHostFolder(BOOL bWow64, BOOL bWindowsNT, const CString& systemFolder,
                               const CString& wow64SystemFolder, const CString& windowsFolder)
{
    if (bWow64)
        return wow64SystemFolder;
    return bWindowsNT ? systemFolder : windowsFolder;
}

CString GetAppletHostFolder(const CString& systemFolder)
{
    return ChooseAppletHostFolder(IsWow64(), IsWindowsNT(), systemFolder, GetWow64SystemFolder(), GetWindowsFolder());
}

CString UnredirectedPath(const CString& path, const CString& systemFolder, const CString& wow64SystemFolder)
{
    if (wow64SystemFolder.IsEmpty() || !IsSameOrBelow(path, systemFolder))
        return path;
    return wow64SystemFolder + path.Mid(systemFolder.GetLength());
}

CString GetUnredirectedPath(const CString& path)
{
    return UnredirectedPath(path, GetSystemFolder(), GetWow64SystemFolder());
}
