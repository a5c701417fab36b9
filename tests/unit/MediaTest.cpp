// The media folder the build lays out, with the stand-in product.
#include "../../catalogue/MediaCheck.h"
#include "../support/TestFolder.h"
#include "../support/WindowDriver.h"
#include <gtest/gtest.h>

TEST(Media, HoldsSetupAndTheProductUnderItsMediaNames)
{
    for (const char* name : { "Setup.exe", "VarnX.ex_", "VarnX.dl_", "VarnX.cp_", "Readme.txt" })
        EXPECT_TRUE(FileExists(MediaFolder() + "\\" + name)) << name;
}

TEST(Media, TheReadmeIsJapaneseInShiftJis)
{
    std::string readme = ReadFile(MediaFolder() + "\\Readme.txt");
    ASSERT_FALSE(readme.empty());
    int wide = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, readme.data(), (int)readme.size(), NULL, 0);
    EXPECT_GT(wide, 0) << "every byte sequence is valid Shift-JIS";
    EXPECT_LT(wide, (int)readme.size()) << "it holds double-byte characters";
    EXPECT_NE(std::string::npos, readme.find("\r\n"));
}

TEST(Media, TheAppletAndTheLibraryLoadWithTheirEntries)
{
    HMODULE applet = LoadLibraryA((MediaFolder() + "\\VarnX.cp_").c_str());
    ASSERT_NE(nullptr, applet);
    EXPECT_NE(nullptr, reinterpret_cast<void*>(GetProcAddress(applet, "CPlApplet")));
    FreeLibrary(applet);
    HMODULE library = LoadLibraryA((MediaFolder() + "\\VarnX.dl_").c_str());
    ASSERT_NE(nullptr, library);
    EXPECT_NE(nullptr, reinterpret_cast<void*>(GetProcAddress(library, "VarnXVersion")));
    FreeLibrary(library);
}

TEST(Media, TheProductShowsItsWindowAndClosesOnRequest)
{
    TestFolder folder("product");
    CopyFileA((MediaFolder() + "\\VarnX.ex_").c_str(), (folder / "VarnX.exe").c_str(), FALSE);
    ChildProcess product(folder / "VarnX.exe", "VarnX.exe");
    ASSERT_TRUE(product.Started());
    HWND window = WaitForWindow(NULL, "Varnolt", product.Handle());
    ASSERT_NE(nullptr, window);
    SaveScreenshot(window, "product");
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(product.WaitForExit());
}

TEST(Media, SetupRecordsTheDigestsOfTheFilesLaidOut)
{
    CMediaCheck check;
    for (const MediaDigest& row : MediaDigestTable) {
        const std::string path = MediaFolder() + "\\" + row.pszSourceName;
        BYTE digest[SHA256_LENGTH] = {};
        ASSERT_TRUE(check.ComputeSha256(path.c_str(), digest)) << path;
        EXPECT_EQ(0, memcmp(digest, row.digest, SHA256_LENGTH)) << "a stale digest for " << row.pszSourceName;
        EXPECT_TRUE(check.IsBuilt(path.c_str(), row.pszSourceName));
        EXPECT_FALSE(check.IsBuilt(path.c_str(), "Setup.exe")) << "a name without a digest is never taken";
    }
    BYTE digest[SHA256_LENGTH];
    EXPECT_FALSE(check.ComputeSha256((MediaFolder() + "\\missing").c_str(), digest));
}
