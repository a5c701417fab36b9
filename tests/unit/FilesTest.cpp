#include "../../files/FileSystem.h"
#include "../../files/OwnProgram.h"
#include "../../files/VerifiedCopy.h"
#include "../../paths/PathText.h"
#include "../support/TestFolder.h"
#include "../support/WindowDriver.h"
#include <gtest/gtest.h>

namespace {
// Copies as the install does: the source held open for the copy.
bool Copy(const std::string& source, const std::string& target, const BYTE* digest = nullptr)
{
    HANDLE file = OpenInstallSource(source.c_str());
    bool copied = CopyInstallFile(file, target.c_str(), digest) == FILE_DONE;
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return copied;
}
}

TEST(Files, CreateFolderTreeMakesEveryMissingLevel)
{
    TestFolder root("tree");
    std::string deepest = root / "a\\b\\c";
    EXPECT_TRUE(CreateFolderTree(deepest.c_str()));
    EXPECT_TRUE(FolderExists(root / "a"));
    EXPECT_TRUE(FolderExists(root / "a\\b"));
    EXPECT_TRUE(FolderExists(deepest));

    EXPECT_FALSE(CreateFolderTree(deepest.c_str())) << "a folder that exists is not created again";
    EXPECT_TRUE(CreateFolderTree((root / "a\\d\\").c_str())) << "a trailing backslash names the same folder";
    EXPECT_TRUE(FolderExists(root / "a\\d"));
}

TEST(Files, CreateFolderTreeStopsWhereNoParentIsLeft)
{
    EXPECT_FALSE(CreateFolderTree("no-separator"));
    EXPECT_FALSE(CreateFolderTree(""));
    EXPECT_FALSE(CreateFolderTree("Q:\\varnolt\\x")) << "a drive that does not exist";
    EXPECT_FALSE(FolderExists("no-separator"));
}

TEST(Files, AFileWhereAFolderIsExpectedIsNotReplaced)
{
    TestFolder root("blocked");
    WriteFile(root / "plain", "a file");
    EXPECT_FALSE(CreateFolderTree((root / "plain\\inner").c_str()));
    EXPECT_EQ("a file", ReadFile(root / "plain"));
    EXPECT_FALSE(Copy(root / "plain", root / "plain\\inner\\copy"));
}

TEST(Files, CopyInstallFileReplacesOnlyWithWhatWasVerified)
{
    TestFolder root("copy");
    const std::string source = root / "source.ex_";
    WriteFile(source, "new bytes");
    std::string target = root / "new\\folder\\target.exe";
    // What a killed install left behind goes; a name that only looks like
    // ours (someone's backup) stays.
    CreateFolderTree((root / "new\\folder").c_str());
    for (const char* ending : { ".new", ".1f-2a.new", ".bad.old" })
        WriteFile(target + ending, "half a copy");
    EXPECT_TRUE(Copy(source, target));
    EXPECT_EQ("new bytes", ReadFile(target));
    EXPECT_FALSE(FileExists(target + ".new") || FileExists(target + ".1f-2a.new"));
    EXPECT_TRUE(FileExists(target + ".bad.old"));

    // Held for the copy, the source can be read by others, but neither
    // written, renamed nor deleted.
    HANDLE held = OpenInstallSource(source.c_str());
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ("new bytes", ReadFile(source));
    EXPECT_EQ(INVALID_HANDLE_VALUE, CreateFileA(source.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                NULL, OPEN_EXISTING, 0, NULL));
    EXPECT_FALSE(MoveFileA(source.c_str(), (root / "renamed").c_str()));
    EXPECT_FALSE(DeleteFileA(source.c_str()));
    CloseHandle(held);

    // The copy keeps the source's last-write time, and is never read-only.
    WriteFile(target, "old bytes that are longer");
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(Copy(source, target));
    EXPECT_EQ("new bytes", ReadFile(target));
    WIN32_FILE_ATTRIBUTE_DATA from, to;
    GetFileAttributesExA(source.c_str(), GetFileExInfoStandard, &from);
    GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &to);
    EXPECT_EQ(0, CompareFileTime(&from.ftLastWriteTime, &to.ftLastWriteTime));
    EXPECT_FALSE(to.dwFileAttributes & FILE_ATTRIBUTE_READONLY);

    // Bytes that are not the ones expected never reach the target.
    const BYTE otherDigest[SHA256_LENGTH] = { 1 };
    WriteFile(target, "the earlier copy");
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(Copy(source, target, otherDigest));
    EXPECT_EQ("the earlier copy", ReadFile(target));
    EXPECT_TRUE(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_READONLY) << "kept exactly as it was";
    EXPECT_FALSE(FileExists(target + ".new"));
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);

    // The program's own file is told from another one.
    HANDLE own = OpenOwnProgramFile();
    ASSERT_NE(INVALID_HANDLE_VALUE, own);
    HANDLE other = OpenInstallSource((TestProgramFolder() + "\\folder_probe.exe").c_str());
    EXPECT_TRUE(IsFileOfModule(own, GetModuleHandleA(NULL)));
    EXPECT_FALSE(IsFileOfModule(other, GetModuleHandleA(NULL)));
    CloseHandle(other);
    CloseHandle(own);

    std::string missingTarget = root / "left\\behind.exe";
    EXPECT_FALSE(Copy(root / "missing.ex_", missingTarget));
    EXPECT_FALSE(FolderExists(root / "left")) << "nothing is made for a source that cannot be read";
    EXPECT_FALSE(FileExists(missingTarget));
    EXPECT_FALSE(FileExists(missingTarget + ".new"));
}

TEST(Files, CopyIntoANewFolderGivenWithATrailingBackslash)
{
    TestFolder root("trailing");
    WriteFile(root / "source.dl_", "library");
    std::string target = root / "new\\\\VarnX.dll";
    EXPECT_TRUE(Copy(root / "source.dl_", target));
    EXPECT_EQ("library", ReadFile(root / "new\\VarnX.dll"));
}

TEST(Files, DoubleByteCharactersEndingIn5CAreNotSeparators)
{
    TestFolder root("dbcs");
    // ソ is 0x83 0x5C, 表 is 0x95 0x5C in Shift-JIS.
    std::string folder = root / "ソフト表";
    EXPECT_STREQ(root.Path().c_str(), GetParentFolder(folder.c_str()));
    EXPECT_STREQ((root / "aソ").c_str(), GetParentFolder((root / "aソ\\file").c_str()));
    EXPECT_TRUE(CreateFolderTree((folder + "\\中\\ソ").c_str()));
    EXPECT_TRUE(FolderExists(folder + "\\中\\ソ"));
    WriteFile(root / "src", "x");
    EXPECT_TRUE(Copy(root / "src", root / "表\\ソ.txt"));
    EXPECT_EQ("x", ReadFile(root / "表\\ソ.txt"));
}

TEST(Files, DeleteInstalledFileRemovesOnlyFiles)
{
    TestFolder root("delete");
    WriteFile(root / "file", "x");
    EXPECT_TRUE(DeleteInstalledFile((root / "file").c_str()));
    EXPECT_FALSE(FileExists(root / "file"));
    EXPECT_FALSE(DeleteInstalledFile((root / "file").c_str())) << "an absent file fails";
    CreateDirectoryA((root / "folder").c_str(), NULL);
    EXPECT_FALSE(DeleteInstalledFile((root / "folder").c_str()));
    EXPECT_TRUE(FolderExists(root / "folder"));

    WriteFile(root / "held", "x");
    SetFileAttributesA((root / "held").c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE held = CreateFileA((root / "held").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    EXPECT_FALSE(DeleteInstalledFile((root / "held").c_str()));
    CloseHandle(held);
    EXPECT_TRUE(GetFileAttributesA((root / "held").c_str()) & FILE_ATTRIBUTE_READONLY)
        << "a file that stays keeps its attributes";
    SetFileAttributesA((root / "held").c_str(), FILE_ATTRIBUTE_NORMAL);
}

namespace {

// Runs the folder probe copied to programPath and returns what
// GetModuleFolder said there.
std::string ModuleFolderOf(const std::string& programPath, const std::string& output)
{
    CopyFileA((TestProgramFolder() + "\\folder_probe.exe").c_str(), programPath.c_str(), FALSE);
    DeleteFileA(output.c_str());
    {
        ChildProcess probe(programPath, "probe " + output);
        EXPECT_TRUE(probe.WaitForExit());
    }
    DeleteFileA(programPath.c_str());
    return ReadFile(output);
}

}

TEST(Files, GetModuleFolderOfAProgram)
{
    TestFolder root("module");
    std::string output = root / "answer.txt";
    CreateDirectoryA((root / "表ソ").c_str(), NULL);
    EXPECT_EQ(root / "表ソ", ModuleFolderOf(root / "表ソ\\probe.exe", output));
    std::string atRoot = "C:\\varnolt-probe-" + std::to_string(GetCurrentProcessId()) + ".exe";
    EXPECT_EQ("C:", ModuleFolderOf(atRoot, output)) << "a program at a drive root";
}
