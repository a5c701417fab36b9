// The media folder the build lays out, with the stand-in product.
#include "../../catalogue/ItemCatalogue.h"
#include "../support/TestFolder.h"
#include "../support/WindowDriver.h"
#include <gtest/gtest.h>
#include <algorithm>

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

namespace {
std::string Sha256Hex(const std::string& message, size_t piece)
{
    CSha256 sha;
    for (size_t at = 0; at < message.size(); at += piece)
        sha.Update(message.data() + at, (DWORD)std::min(piece, message.size() - at));
    BYTE digest[SHA256_LENGTH];
    sha.Final(digest);
    char hex[2 * SHA256_LENGTH + 1];
    for (int i = 0; i < SHA256_LENGTH; ++i)
        snprintf(hex + 2 * i, 3, "%02x", digest[i]);
    return hex;
}
}

TEST(Media, Sha256AndTheDigestsRecordedForTheFilesLaidOut)
{
    // FIPS 180-4's examples, fed whole and in uneven pieces, and the empty
    // message, whose padding fills a block of its own.
    const std::pair<std::string, const char*> examples[] = {
        { "abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad" },
        { "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
          "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1" },
        { std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0" },
        { "", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855" },
    };
    for (const auto& example : examples)
        for (size_t piece : { example.first.size() + 1, (size_t)1, (size_t)63, (size_t)997 })
            EXPECT_EQ(example.second, Sha256Hex(example.first, piece)) << example.first.size() << " bytes by " << piece;

    for (const MediaDigest& row : MediaDigestTable) {
        CSha256 sha;
        const std::string file = ReadFile(MediaFolder() + "\\" + row.szSourceName);
        sha.Update(file.data(), (DWORD)file.size());
        BYTE digest[SHA256_LENGTH];
        sha.Final(digest);
        EXPECT_EQ(0, memcmp(digest, row.digest, SHA256_LENGTH)) << "a stale digest for " << row.szSourceName;
        EXPECT_EQ(row.digest, FindMediaDigest(row.szSourceName));
    }
    EXPECT_EQ(nullptr, FindMediaDigest("Setup.exe")) << "a name without a digest is never taken";
}
