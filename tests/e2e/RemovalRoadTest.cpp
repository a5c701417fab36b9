// The real Setup.exe started with /uninstall from an install folder, driven
// through its windows, then the machine checked.
#include "../support/InstalledState.h"
#include "../support/RemovalDriver.h"
#include "../support/TestFolder.h"
#include "../support/WindowDriver.h"
#include <shlwapi.h>
#include <gtest/gtest.h>
#include <vector>

namespace {

const char BOX_CLASS[] = "#32770";
const char UNINSTALL_PARENT[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

const char SHELL_FOLDERS_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// Points the all-users Programs folder at a drive that does not exist, so
// the shell cannot name it; the old setting comes back at the end.
class UnreachableProgramsFolder
{
public:
    UnreachableProgramsFolder() : m_saved(Read()) { Write("Q:\\VarnoltMissing\\Programs"); }
    ~UnreachableProgramsFolder() { Write(m_saved); }

private:
    static std::string Read()
    {
        char data[MAX_PATH] = "";
        DWORD size = sizeof data;
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SHELL_FOLDERS_KEY, 0, KEY_READ, &key) == ERROR_SUCCESS) {
            RegQueryValueExA(key, "Common Programs", NULL, NULL, reinterpret_cast<BYTE*>(data), &size);
            RegCloseKey(key);
        }
        return data;
    }
    static void Write(const std::string& folder)
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SHELL_FOLDERS_KEY, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            return;
        RegSetValueExA(key, "Common Programs", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                       folder.size() + 1);
        RegCloseKey(key);
    }

    std::string m_saved;
};

class RemovalRoad : public testing::Test
{
protected:
    RemovalRoad() : m_root("removal"), m_installFolder(m_root / "Program Files\\VarnX"), m_state(m_installFolder) {}

    // What the uninstall entry runs: the quoted path, a space, the switch.
    std::string UninstallCommand() const { return "\"" + m_state.SetupPath() + "\" /uninstall"; }

    RemovalOutcome Remove(const std::string& shotPrefix)
    {
        return RunRemoval(m_state.SetupPath(), UninstallCommand(), shotPrefix);
    }

    void ExpectInstalled()
    {
        EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "UnInstallString"));
        EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, PRODUCT_KEY, "Exe-Path"));
        EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, RUN_KEY, "Varnolt"));
        for (int row = 0; row < 4; ++row)
            EXPECT_TRUE(FileExists(m_state.LinkPath(row))) << LINK_NAMES[row];
        for (const char* name : INSTALL_FOLDER_FILES)
            EXPECT_TRUE(FileExists(m_installFolder + "\\" + name)) << name;
        for (const char* name : SYSTEM_FOLDER_FILES)
            EXPECT_TRUE(FileExists(SystemFilesFolder() + "\\" + name)) << name;
    }

    TestFolder m_root;
    std::string m_installFolder;
    InstalledState m_state;
};

}

TEST_F(RemovalRoad, YesRemovesWhatTheCatalogueNamesAndNothingElse)
{
    ExpectInstalled();
    const std::string neighbourKey = std::string(UNINSTALL_PARENT) + "\\VarnoltTestNeighbour";
    SetStringValue(HKEY_LOCAL_MACHINE, neighbourKey, "DisplayName", "neighbour");
    SetStringValue(HKEY_LOCAL_MACHINE, RUN_KEY, "VarnoltTestNeighbour", "kept");
    SetStringValue(HKEY_LOCAL_MACHINE, std::string(PRODUCT_KEY) + "\\Options\\Deep", "Level", "3");
    WriteFile(m_installFolder + "\\notes.txt", "the user's own");
    // A product key naming the Windows folder (stale, or edited by hand) is
    // no registration: the removal takes its own folder and touches nothing
    // of Windows'.
    char windows[MAX_PATH];
    const std::string windowsFolder(windows, GetWindowsDirectoryA(windows, MAX_PATH));
    SetStringValue(HKEY_LOCAL_MACHINE, PRODUCT_KEY, "Exe-Path", windowsFolder + "\\VarnX.exe");
    WriteFile(windowsFolder + "\\VarnX.dll", "Windows' own");
    // Read-only files and links are removed all the same.
    for (const std::string& path :
         { m_installFolder + "\\Readme.txt", SystemFilesFolder() + "\\VarnX.cpl", m_state.LinkPath(3) })
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);

    RemovalOutcome box = Remove("removal");
    EXPECT_EQ("確認", box.caption);
    EXPECT_EQ("Varnolt を削除しました。", box.text);
    EXPECT_EQ((DWORD)ERROR_SUCCESS, box.exitCode);

    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, PRODUCT_KEY)) << "with everything below it";
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, MAKER_KEY)) << "the maker key stays";
    EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, RUN_KEY, "Varnolt"));
    for (int row = 0; row < 4; ++row)
        EXPECT_FALSE(FileExists(m_state.LinkPath(row))) << LINK_NAMES[row];
    EXPECT_FALSE(FolderExists(m_state.GroupFolder())) << "the emptied group goes";
    EXPECT_TRUE(FolderExists(m_installFolder)) << "the install folder stays";
    for (const char* name : INSTALL_FOLDER_FILES)
        EXPECT_FALSE(FileExists(m_installFolder + "\\" + name)) << name;
    for (const char* name : SYSTEM_FOLDER_FILES)
        EXPECT_FALSE(FileExists(SystemFilesFolder() + "\\" + name)) << name;
    EXPECT_TRUE(FileExists(m_state.SetupPath())) << "Setup.exe stays to run removals";
    EXPECT_EQ("Windows' own", ReadFile(windowsFolder + "\\VarnX.dll"));
    DeleteFileA((windowsFolder + "\\VarnX.dll").c_str());

    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, neighbourKey));
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, RUN_KEY, "VarnoltTestNeighbour"));
    EXPECT_EQ("the user's own", ReadFile(m_installFolder + "\\notes.txt"));
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, neighbourKey.c_str());
    SHDeleteValueA(HKEY_LOCAL_MACHINE, RUN_KEY, "VarnoltTestNeighbour");

    // Nothing names the install any more: files of the product's names in
    // this copy's folder that are not what the build laid out are someone
    // else's, and stay. Every item is listed as the walk found it gone, but
    // nothing of Varnolt was found.
    const std::vector<std::string> someoneElses = { "VarnX.dll", "VarnX.exe", "Readme.txt", "VarnX.exe.new" };
    for (const std::string& name : someoneElses)
        WriteFile(m_installFolder + "\\" + name, "someone else's");
    RemovalOutcome again = Remove("removal-again");
    EXPECT_EQ("ERROR!", again.caption);
    EXPECT_EQ(NothingLeftReport(m_installFolder), again.text);
    EXPECT_EQ((DWORD)ERROR_UNKNOWN_PRODUCT, again.exitCode);
    for (const std::string& name : someoneElses)
        EXPECT_EQ("someone else's", ReadFile(m_installFolder + "\\" + name)) << name;
}

TEST_F(RemovalRoad, NoRemovesNothingAndShowsNothingMore)
{
    ChildProcess setup(m_state.SetupPath(), UninstallCommand());
    HWND confirm = WaitForWindow(BOX_CLASS, "確認", setup.Handle());
    ASSERT_NE(nullptr, confirm);
    // An install started meanwhile hands over to the removal and ends.
    EXPECT_TRUE(EndsWithoutAWindow(m_state.SetupPath(), m_state.SetupPath(), ERROR_INSTALL_ALREADY_RUNNING));
    EXPECT_TRUE(IsWindow(confirm)) << "the removal's question stays";
    PressButton(confirm, IDNO);
    ASSERT_TRUE(WaitForWindowGone(confirm));
    EXPECT_EQ(nullptr, WaitForWindow(BOX_CLASS, NULL, setup.Handle())) << "no further window";
    EXPECT_TRUE(setup.WaitForExit());
    EXPECT_EQ((DWORD)ERROR_INSTALL_USEREXIT, setup.ExitCode());
    ExpectInstalled();
}

TEST_F(RemovalRoad, AFileInUseIsReportedAfterEverythingElseIsGone)
{
    WriteFile(m_state.GroupFolder() + "\\user.txt", "the user's own");
    HANDLE held = CreateFileA((m_installFolder + "\\VarnX.exe").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    // In a folder that others can change, a loaded library is not left to
    // the restart either: the restart acts on what stands at its name then.
    const std::string library = m_installFolder + "\\VarnX.dll";
    MakeWritableByEveryone(m_installFolder);
    HMODULE loaded = LoadLibraryA(library.c_str());
    RemovalOutcome box = Remove("removal-in-use");
    CloseHandle(held);
    FreeLibrary(loaded);
    EXPECT_EQ("ERROR!", box.caption);
    EXPECT_EQ("下記の内容が失敗しました。\n\nファイル削除：" + library + "\nファイル削除：" + m_installFolder + "\\VarnX.exe\n",
              box.text)
        << "the program held so that it cannot even be moved aside";
    EXPECT_TRUE(box.restartText.empty() && FilesBeside(library).empty());
    EXPECT_EQ((DWORD)ERROR_INSTALL_FAILURE, box.exitCode);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
    EXPECT_FALSE(FileExists(m_state.LinkPath(0)));
    EXPECT_EQ("the user's own", ReadFile(m_state.GroupFolder() + "\\user.txt")) << "a group with a user's file stays";
    EXPECT_TRUE(FileExists(m_installFolder + "\\VarnX.exe"));
}

TEST_F(RemovalRoad, FromAMediaFolderTheRegisteredInstallIsRemovedAndTheMediaNever)
{
    // The download folder the install came from, with a stray program in it
    // and a read-only readme.
    TestFolder media("removal-media");
    const char* const names[] = { "Setup.exe", "Readme.txt", "VarnX.ex_", "VarnX.exe", "VarnX.dll" };
    for (const char* name : { "Setup.exe", "Readme.txt", "VarnX.ex_" })
        CopyFileA((MediaFolder() + "\\" + name).c_str(), (media / name).c_str(), FALSE);
    WriteFile(media / "VarnX.exe", "not the installed one");
    WriteFile(media / "VarnX.dll", "not the installed one");
    SetFileAttributesA((media / "Readme.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    std::vector<std::string> before;
    for (const char* name : names)
        before.push_back(ReadFile(media / name));

    RemovalOutcome box = RunRemoval(media / "Setup.exe", media / "Setup.exe /uninstall", "removal-from-media");
    EXPECT_EQ("Varnolt を削除しました。", box.text);
    for (const char* name : INSTALL_FOLDER_FILES)
        EXPECT_FALSE(FileExists(m_installFolder + "\\" + name)) << name;
    EXPECT_TRUE(FileExists(m_state.SetupPath()));

    // Nothing registered any more: the media are still no install, and each
    // install-folder file is reported by its bare name.
    RemovalOutcome again = RunRemoval(media / "Setup.exe", media / "Setup.exe /uninstall", "removal-from-media-again");
    EXPECT_EQ(NothingLeftReport(""), again.text);
    EXPECT_EQ((DWORD)ERROR_UNKNOWN_PRODUCT, again.exitCode);
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(before[i], ReadFile(media / names[i])) << "the media keep " << names[i];
    SetFileAttributesA((media / "Readme.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(RemovalRoad, LinksThatCannotBeLocatedAreReportedAndLeftAlone)
{
    RemovalOutcome box;
    {
        UnreachableProgramsFolder unreachable;
        box = Remove("removal-no-programs");
    }
    EXPECT_EQ("ERROR!", box.caption);
    std::string expected = "下記の内容が失敗しました。\n\n";
    for (const char* name : LINK_NAMES)
        expected += std::string("ショートカット削除：Varnolt\\") + name + "\n";
    EXPECT_EQ(expected, box.text);
    EXPECT_EQ((DWORD)ERROR_INSTALL_FAILURE, box.exitCode);
    for (int row = 0; row < 4; ++row)
        EXPECT_TRUE(FileExists(m_state.LinkPath(row))) << LINK_NAMES[row];
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY)) << "the rest of the removal goes ahead";
    EXPECT_FALSE(FileExists(m_installFolder + "\\VarnX.exe"));
}

// Both halves of a walk across a restart of Windows, made between them by
// tests/RestartTest.sh: files in use left to it, and runs before it that it
// must not undo.
TEST(AcrossARestart, BeforeItFilesInUseWaitForItAndLaterRunsHold)
{
    const std::string folder = TestFolder::TempPath() + "varnolt-restart", readme = folder + "\\Readme.txt";
    const std::string install = "\"" + MediaFolder() + "\\Setup.exe\" /S /D=" + folder;
    MakeInstalledState(folder);
    // The applet loaded (it can be moved aside); the readme held open, so
    // that it cannot even be renamed: its copy waits, the later run's only.
    HMODULE applet = LoadLibraryA((SystemFolder() + "\\VarnX.cpl").c_str());
    HANDLE held = CreateFileA(readme.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    for (int run = 0; run < 2; ++run) {
        EXPECT_TRUE(EndsWithoutAWindow("", install, ERROR_SUCCESS_REBOOT_REQUIRED, 30000));
        EXPECT_EQ(1u, FilesBeside(readme).size());
    }
    // A removal killed once its keys were gone, run again, takes the
    // readme's waiting copy with it; the applet, still loaded, waits. Then
    // an install, whose readme the restart must leave be.
    CloseHandle(held);
    for (const char* key : { UNINSTALL_KEY, PRODUCT_KEY })
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key, ProgramView(), 0);
    EXPECT_TRUE(EndsWithoutAWindow("", "\"" + folder + "\\Setup.exe\" /S /uninstall", ERROR_SUCCESS_REBOOT_REQUIRED, 30000));
    EXPECT_TRUE(FilesBeside(readme).empty() && !FileExists(readme));
    EXPECT_TRUE(EndsWithoutAWindow("", install, ERROR_SUCCESS_REBOOT_REQUIRED, 30000));
    WriteFile(readme, "as the last install left it");
    FreeLibrary(applet);
}

TEST(AcrossARestart, AfterItNothingOfTheRunsBeforeIsUndone)
{
    const std::string folder = TestFolder::TempPath() + "varnolt-restart";
    EXPECT_EQ("", PendingFileRenames()) << "the restart did what waited for it";
    EXPECT_EQ("as the last install left it", ReadFile(folder + "\\Readme.txt"));
    for (const std::string& path : { folder + "\\VarnX.dll", folder + "\\Readme.txt", SystemFolder() + "\\VarnX.cpl" })
        EXPECT_TRUE(FileExists(path) && FilesBeside(path).empty()) << path;
    EXPECT_TRUE(EndsWithoutAWindow("", "\"" + folder + "\\Setup.exe\" /S /uninstall", ERROR_SUCCESS, 30000));
    RemoveCatalogueItems();
    RemoveTree(folder);
}
