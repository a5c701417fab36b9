#include "TestFolder.h"
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>
#include <algorithm>
#include <fstream>
#include <sstream>

namespace {
int g_folderCount;
}

TestFolder::TestFolder(const std::string& name)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string base = temp;
    if (!base.empty() && base.back() == '\\')
        base.pop_back();
    m_path = base + "\\varnolt-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++g_folderCount) +
             "-" + name;
    RemoveTree(m_path);
    CreateDirectoryA(m_path.c_str(), NULL);
}

TestFolder::~TestFolder() { RemoveTree(m_path); }

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void WriteFile(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary);
    out << content;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string WithCrLf(std::string text)
{
    for (size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2)
        text.replace(at, 1, "\r\n");
    return text;
}

std::vector<std::string> FilesBeside(const std::string& path)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + ".*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    const std::string folder = path.substr(0, path.rfind('\\') + 1);
    do {
        if (folder + found.cFileName != path)
            names.push_back(folder + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::string TestProgramFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}

namespace {

// The build folder holds the tests' folder beside media and screenshots.
std::string BuildFolder()
{
    std::string tests = TestProgramFolder();
    return tests.substr(0, tests.rfind('\\'));
}

}

std::string MediaFolder() { return BuildFolder() + "\\media"; }

std::string ScreenshotFolder()
{
    // The 32-bit build's tests run under WOW64 too, apart.
    std::string folder = BuildFolder() + (RunsUnderWow64() ? "\\wow64-screenshots" : "\\screenshots");
    CreateDirectoryA(folder.c_str(), NULL);
    return folder;
}

bool RunsUnderWow64()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::string SystemFolder()
{
    char path[MAX_PATH];
    return std::string(path, GetSystemDirectoryA(path, MAX_PATH));
}

std::string SystemFilesFolder()
{
    char path[MAX_PATH];
    return RunsUnderWow64() ? std::string(path, GetSystemWow64DirectoryA(path, MAX_PATH)) : SystemFolder();
}

std::string NativeSystemFolder()
{
    char path[MAX_PATH];
    return RunsUnderWow64() ? std::string(path, GetWindowsDirectoryA(path, MAX_PATH)) + "\\sysnative" : SystemFolder();
}

std::string CommonProgramsFolder()
{
    char path[MAX_PATH] = "";
    SHGetSpecialFolderPathA(NULL, path, CSIDL_COMMON_PROGRAMS, TRUE);
    return path;
}

void MakeWritableByEveryone(const std::string& path)
{
    PSECURITY_DESCRIPTOR descriptor = NULL;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;OICI;FA;;;WD)", SDDL_REVISION_1, &descriptor, NULL)) {
        SetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, descriptor);
        LocalFree(descriptor);
    }
}

bool IsWritableByEveryone(const std::string& path)
{
    PSECURITY_DESCRIPTOR descriptor = NULL;
    PACL dacl = NULL;
    if (GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, NULL, NULL, &dacl, NULL,
                              &descriptor) != ERROR_SUCCESS)
        return false;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = NULL;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    bool writable = !dacl;
    for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace;
        if (GetAce(dacl, i, reinterpret_cast<void**>(&ace)) && ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
            EqualSid(&ace->SidStart, everyone) && (ace->Mask & (FILE_WRITE_DATA | GENERIC_WRITE | GENERIC_ALL)))
            writable = true;
    }
    FreeSid(everyone);
    LocalFree(descriptor);
    return writable;
}

std::vector<std::string> ProgramFilesFolders()
{
    std::vector<std::string> folders;
    for (const char* variable : { "ProgramFiles", "ProgramFiles(x86)", "ProgramW6432" }) {
        char path[MAX_PATH];
        DWORD length = GetEnvironmentVariableA(variable, path, MAX_PATH);
        if (length > 0 && length < MAX_PATH && std::find(folders.begin(), folders.end(), path) == folders.end())
            folders.push_back(path);
    }
    return folders;
}
