#include "InstalledState.h"
#include "TestFolder.h"
#include <shlobj.h>
#include <shlwapi.h>

const char UNINSTALL_KEY[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Varnoltix";
const char PRODUCT_KEY[] = "SOFTWARE\\QUORLEN\\VarnX";
const char MAKER_KEY[] = "SOFTWARE\\QUORLEN";
const char RUN_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const LINK_NAMES[4] = { "Varnolt.lnk", "Varnolt の設定.lnk", "Varnolt の削除.lnk", "Readme.lnk" };
const char* const INSTALL_FOLDER_FILES[3] = { "VarnX.dll", "VarnX.exe", "Readme.txt" };
const char* const SYSTEM_FOLDER_FILES[2] = { "VarnX.cpl", "VarnX.dll" };

namespace {

std::string GroupFolderPath() { return CommonProgramsFolder() + "\\Varnolt"; }

void CopyFromMedia(const char* source, const std::string& target)
{
    CopyFileA((MediaFolder() + "\\" + source).c_str(), target.c_str(), FALSE);
}

}

void MakeInstalledState(const std::string& installFolder)
{
    RemoveCatalogueItems();
    SHCreateDirectoryExA(NULL, installFolder.c_str(), NULL);
    CopyFromMedia("VarnX.dl_", installFolder + "\\VarnX.dll");
    CopyFromMedia("VarnX.ex_", installFolder + "\\VarnX.exe");
    CopyFromMedia("Setup.exe", installFolder + "\\Setup.exe");
    CopyFromMedia("Readme.txt", installFolder + "\\Readme.txt");
    CopyFromMedia("VarnX.cp_", SystemFilesFolder() + "\\VarnX.cpl");
    CopyFromMedia("VarnX.dl_", SystemFilesFolder() + "\\VarnX.dll");

    SetStringValue(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "UnInstallString",
                   "\"" + installFolder + "\\Setup.exe\" /uninstall");
    SetStringValue(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "DisplayName", "Varnolt 2.0");
    SetStringValue(HKEY_LOCAL_MACHINE, PRODUCT_KEY, "Exe-Path", installFolder + "\\VarnX.exe");
    SetStringValue(HKEY_LOCAL_MACHINE, RUN_KEY, "Varnolt", "");

    CreateDirectoryA(GroupFolderPath().c_str(), NULL);
    const std::string group = GroupFolderPath() + "\\";
    SaveLink(group + LINK_NAMES[0], installFolder + "\\VarnX.exe", "");
    SaveLink(group + LINK_NAMES[1], SystemFilesFolder() + "\\control.exe", "VarnX.cpl");
    SaveLink(group + LINK_NAMES[2], installFolder + "\\Setup.exe", "/uninstall");
    SaveLink(group + LINK_NAMES[3], installFolder + "\\Readme.txt", "");
}

InstalledState::InstalledState(const std::string& installFolder) : m_installFolder(installFolder)
{
    MakeInstalledState(installFolder);
}

InstalledState::~InstalledState()
{
    RemoveCatalogueItems();
    RemoveTree(m_installFolder);
}

std::string InstalledState::GroupFolder() const { return GroupFolderPath(); }

std::string InstalledState::LinkPath(int row) const { return GroupFolderPath() + "\\" + LINK_NAMES[row]; }

std::string PendingFileRenames()
{
    char data[16384];
    DWORD size = sizeof data;
    if (SHGetValueA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                    "PendingFileRenameOperations", NULL, data, &size) != ERROR_SUCCESS)
        return "";
    return std::string(data, size);
}

namespace {

// A key with everything below it, in the view given: each key is named by
// its whole path with the view, which SHDeleteKeyA has no way to take.
void DeleteKeyTreeIn(HKEY root, const std::string& path, REGSAM view)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | view, &key) != ERROR_SUCCESS)
        return;
    std::vector<std::string> children;
    char name[256];
    for (DWORD index = 0; RegEnumKeyA(key, index, name, sizeof name) == ERROR_SUCCESS; ++index)
        children.push_back(name);
    RegCloseKey(key);
    for (const std::string& child : children)
        DeleteKeyTreeIn(root, path + "\\" + child, view);
    RegDeleteKeyExA(root, path.c_str(), view, 0);
}

}

void RemoveCatalogueItems()
{
    for (REGSAM view : { ProgramView(), OtherView() }) {
        DeleteKeyTreeIn(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, view);
        DeleteKeyTreeIn(HKEY_LOCAL_MACHINE, MAKER_KEY, view);
        HKEY run;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, RUN_KEY, 0, KEY_SET_VALUE | view, &run) == ERROR_SUCCESS) {
            RegDeleteValueA(run, "Varnolt");
            RegCloseKey(run);
        }
    }
    RemoveTree(GroupFolderPath());
    for (const std::string& folder : { SystemFilesFolder(), NativeSystemFolder() })
        for (const char* name : SYSTEM_FOLDER_FILES) {
            const std::string path = folder + "\\" + name;
            for (const std::string& beside : FilesBeside(path))
                DeleteFileA(beside.c_str());
            DeleteFileA(path.c_str());
        }
}

REGSAM ProgramView() { return sizeof(void*) == 4 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY; }

REGSAM OtherView()
{
    if (sizeof(void*) == 8)
        return KEY_WOW64_32KEY;
    return RunsUnderWow64() ? KEY_WOW64_64KEY : 0;
}

bool KeyExists(HKEY root, const std::string& subkey, REGSAM view)
{
    HKEY key;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

namespace {

LONG QueryValue(HKEY root, const std::string& subkey, const std::string& name, REGSAM view, DWORD* type, char* data,
                DWORD* size)
{
    HKEY key;
    LONG result = RegOpenKeyExA(root, subkey.c_str(), 0, KEY_QUERY_VALUE | view, &key);
    if (result != ERROR_SUCCESS)
        return result;
    result = RegQueryValueExA(key, name.c_str(), NULL, type, reinterpret_cast<BYTE*>(data), size);
    RegCloseKey(key);
    return result;
}

}

bool ValueExists(HKEY root, const std::string& subkey, const std::string& name, REGSAM view)
{
    return QueryValue(root, subkey, name, view, NULL, NULL, NULL) == ERROR_SUCCESS;
}

std::string StringValue(HKEY root, const std::string& subkey, const std::string& name, REGSAM view)
{
    char data[1024] = "";
    DWORD size = sizeof data;
    DWORD type = 0;
    if (QueryValue(root, subkey, name, view, &type, data, &size) != ERROR_SUCCESS || type != REG_SZ)
        return "<missing>";
    return std::string(data, size);
}

void SetStringValue(HKEY root, const std::string& subkey, const std::string& name, const std::string& data,
                    REGSAM view)
{
    HKEY key;
    if (RegCreateKeyExA(root, subkey.c_str(), 0, NULL, 0, KEY_ALL_ACCESS | view, NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), data.size() + 1);
    RegCloseKey(key);
}

std::string AppsList()
{
    TestFolder folder("apps");
    const std::string listed = folder / "list.txt";
    SECURITY_ATTRIBUTES inherited = { sizeof inherited, NULL, TRUE };
    HANDLE output = CreateFileA(listed.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS, 0, NULL);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output;
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + NativeSystemFolder() + "\\uninstaller.exe\" --list";
    if (CreateProcessA(NULL, &command[0], NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process)) {
        WaitForSingleObject(process.hProcess, 30000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(output);
    return ReadFile(listed);
}

bool SaveLink(const std::string& linkPath, const std::string& target, const std::string& arguments)
{
    HRESULT initialised = CoInitialize(NULL);
    IShellLinkA* link = NULL;
    bool saved = false;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        link->SetPath(target.c_str());
        link->SetArguments(arguments.c_str());
        IPersistFile* file = NULL;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t widePath[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH);
            saved = SUCCEEDED(file->Save(widePath, TRUE));
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(initialised))
        CoUninitialize();
    return saved;
}

bool LoadLink(const std::string& linkPath, LinkProperties& properties)
{
    HRESULT initialised = CoInitialize(NULL);
    IShellLinkA* link = NULL;
    bool loaded = false;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = NULL;
        wchar_t widePath[MAX_PATH];
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
            MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH) &&
            SUCCEEDED(file->Load(widePath, STGM_READ))) {
            char text[1024];
            link->GetPath(text, sizeof text, NULL, SLGP_RAWPATH);
            properties.target = text;
            link->GetArguments(text, sizeof text);
            properties.arguments = text;
            link->GetDescription(text, sizeof text);
            properties.description = text;
            link->GetWorkingDirectory(text, sizeof text);
            properties.workingDirectory = text;
            link->GetShowCmd(&properties.showCommand);
            loaded = true;
        }
        if (file)
            file->Release();
        link->Release();
    }
    if (SUCCEEDED(initialised))
        CoUninitialize();
    return loaded;
}

bool DenyKeyDeletion(HKEY root, const std::string& path, bool denied)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, READ_CONTROL | WRITE_DAC, &key) != ERROR_SUCCESS)
        return false;
    BYTE everyone[SECURITY_MAX_SID_SIZE];
    DWORD sidSize = sizeof everyone;
    CreateWellKnownSid(WinWorldSid, NULL, everyone, &sidSize);
    BYTE aclBuffer[256];
    PACL acl = reinterpret_cast<PACL>(aclBuffer);
    InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
    if (denied)
        AddAccessDeniedAce(acl, ACL_REVISION, DELETE, everyone);
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone);
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    bool set = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
    RegCloseKey(key);
    return set;
}
