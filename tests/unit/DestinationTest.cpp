#include "../../destination/FolderRules.h"
#include "../../files/FilesInUse.h"
#include "../../destination/InstallDestination.h"
#include "../../windows/PathIdentity.h"
#include "../support/TestFolder.h"
#include <ctype.h>
#include <gtest/gtest.h>
#include <shlobj.h>

namespace {

std::string CaseSwapped(std::string path)
{
    for (char& c : path)
        c = islower((unsigned char)c) ? toupper((unsigned char)c) : tolower((unsigned char)c);
    return path;
}

}

TEST(Destination, IsUsableFolderTakesFullPathsOnRootsThatExist)
{
    TestFolder root("usable");
    WriteFile(root / "file", "not a folder");
    char windowsBuffer[MAX_PATH];
    std::string windows(windowsBuffer, GetWindowsDirectoryA(windowsBuffer, MAX_PATH));
    char missingDrive[] = "?:\\VarnX";
    for (char letter = 'Z'; letter >= 'D'; --letter)
        if (!(GetLogicalDrives() & (1u << (letter - 'A'))))
            missingDrive[0] = letter;
    const int name = 10;
    // Folders all programs and users share, as the shell names them here,
    // and the Program Files folder by its short name.
    char programFiles[MAX_PATH], programFilesX86[MAX_PATH], profile[MAX_PATH], programData[MAX_PATH],
        shortName[MAX_PATH];
    ASSERT_TRUE(SHGetSpecialFolderPathA(NULL, programFiles, CSIDL_PROGRAM_FILES, FALSE));
    ASSERT_TRUE(SHGetSpecialFolderPathA(NULL, programFilesX86, CSIDL_PROGRAM_FILESX86, FALSE));
    ASSERT_TRUE(SHGetSpecialFolderPathA(NULL, profile, CSIDL_PROFILE, FALSE));
    ASSERT_TRUE(SHGetSpecialFolderPathA(NULL, programData, CSIDL_COMMON_APPDATA, FALSE));
    ASSERT_TRUE(GetShortPathNameA(programFiles, shortName, MAX_PATH));
    const std::string shortProgramFiles = shortName;
    ASSERT_NE(std::string(programFiles), shortProgramFiles) << "the test needs a short name";
    const std::string profiles = std::string(profile).substr(0, std::string(profile).rfind('\\'));
    // The longest folder that leaves room for each name and the longest name
    // of ours beside it, counted in the long form, which is what the install
    // writes.
    const size_t longest = MAX_PATH - 1 - 1 - name - LONGEST_SIDE_SUFFIX;
    const std::string longestShortened = shortProgramFiles + "\\" +
                                         std::string(longest - strlen(programFiles) - 1, 'x');
    std::vector<std::string> refused = {
        "", "VarnX", "\\VarnX", "C:VarnX", "C:", "1:\\VarnX", missingDrive,
        "C:\\Var|nolt", "C:\\Var<nolt", "C:\\Var>nolt", "C:\\Var\"nolt", "C:\\Var?nolt", "C:\\Var*nolt",
        "C:\\Var:nolt", "C:\\Var\tnolt", "\\\\", "\\\\server", "\\\\server\\", "\\\\\\share\\x",
        "\\\\?\\C:\\VarnX", "\\\\varnolt-no-such-host\\share\\VarnX",
        "C:\\" + std::string(longest - 3 + 1, 'x'), longestShortened + "x",
        // Roots, Windows' own folders, a file, names Windows alters.
        "C:\\", "C:\\\\", "\\\\server\\share", "\\\\server\\share\\", windows, windows + "\\",
        SystemFolder(), CaseSwapped(SystemFolder()), root / "file", "C:\\Apps\\CON", "C:\\Apps\\nul.txt\\x",
        "C:\\Apps\\com1", "C:\\Apps\\LPT9.log", "C:\\Apps\\Aux", "C:\\Apps\\prn.", "C:\\dot.\\x",
        "C:\\space \\x", "C:\\Apps\\..", "C:\\Apps\\.\\x",
        // Below the Windows folder; folders every program or user shares.
        windows + "\\Temp\\VarnX", CaseSwapped(windows) + "\\VarnX", SystemFolder() + "\\VarnX", programFiles,
        shortProgramFiles, shortProgramFiles + "\\", programFilesX86, profile,
        CaseSwapped(profile), profiles, profiles + "\\someone-else", programData, SystemFilesFolder(),
    };
    // Under WOW64 too, both Program Files folders of 64-bit Windows.
    const std::vector<std::string> everyProgramFiles = ProgramFilesFolders();
    refused.insert(refused.end(), everyProgramFiles.begin(), everyProgramFiles.end());
    for (const std::string& path : refused)
        EXPECT_FALSE(IsUsableFolder(path.c_str(), name)) << path;
    const std::string taken[] = {
        "C:\\Program Files\\VarnX", "c:\\Program Files\\VarnX\\", "C:\\VarnX", root / "新 ソ\\VarnX",
        "C:\\Apps\\CONSOLE", "C:\\Apps\\COM10", "C:\\Apps\\a.b", "C:\\Apps\\.hidden", windows + "x\\VarnX",
        shortProgramFiles + "\\VarnX", std::string(profile) + "\\VarnX", std::string(programData) + "\\VarnX",
        root / "ポ表\\VarnX",  // trail bytes 0x7C and 0x5C are no '|' and no separator
        "C:\\" + std::string(longest - 3, 'x'), longestShortened, profiles + "\\someone-else\\VarnX",
    };
    for (const std::string& path : taken)
        EXPECT_TRUE(IsUsableFolder(path.c_str(), name)) << path;
    EXPECT_FALSE(FolderExists(root / "新 ソ")) << "the check creates nothing";
    // What the install is handed: the long form of what exists.
    EXPECT_STREQ((std::string(programFiles) + "\\New ソ\\VarnX").c_str(),
                 GetLongFolderPath((shortProgramFiles + "\\New ソ\\VarnX").c_str()));
}

TEST(Destination, AFolderOthersCanChangeIsTakenOnlyAsTheRegisteredInstall)
{
    TestFolder root("open");
    const std::string open = root / "Open", closed = root / "Closed";
    CreateDirectoryA(open.c_str(), NULL);
    CreateDirectoryA(closed.c_str(), NULL);
    MakeWritableByEveryone(open);
    CString taken;
    const RegisteredInstall NONE = {};
    EXPECT_EQ(DESTINATION_OPEN_TO_OTHERS, CheckDestination(open.c_str(), NONE, taken));
    EXPECT_EQ(DESTINATION_OPEN_TO_OTHERS, CheckDestination((open + "\\").c_str(), NONE, taken));
    EXPECT_EQ(DESTINATION_TAKEN, CheckDestination(open.c_str(), { open.c_str(), FALSE }, taken)) << "the registered install is ours";
    EXPECT_EQ(DESTINATION_TAKEN, CheckDestination(closed.c_str(), NONE, taken));
    // A folder below one that others can change can be moved away by them.
    EXPECT_EQ(DESTINATION_OPEN_TO_OTHERS, CheckDestination((open + "\\VarnX").c_str(), NONE, taken));
    EXPECT_EQ(DESTINATION_OPEN_TO_OTHERS, CheckDestination((open + "\\VarnX").c_str(), { (open + "\\VarnX").c_str(), FALSE }, taken));
    EXPECT_EQ(DESTINATION_TAKEN, CheckDestination((root / "New\\VarnX").c_str(), NONE, taken)) << "made closed";
    EXPECT_STREQ((root / "New\\VarnX").c_str(), taken);
}
