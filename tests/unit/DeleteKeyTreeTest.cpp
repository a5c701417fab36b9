#include "../../remove/RemovalOperations.h"
#include "../support/InstalledState.h"
#include <shlwapi.h>
#include <gtest/gtest.h>

namespace {

// A key of the test's own below HKLM, removed again at the end.
class TestKey
{
public:
    TestKey() : m_path("SOFTWARE\\VarnoltTests\\" + std::to_string(GetCurrentProcessId())) {}
    ~TestKey() { SHDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VarnoltTests"); }
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

void CreateKey(const std::string& path)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                                             NULL));
    RegCloseKey(key);
}

DWORD SubkeyCount(const std::string& path)
{
    HKEY key;
    DWORD count = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return (DWORD)-1;
    RegQueryInfoKeyA(key, NULL, NULL, NULL, &count, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
    RegCloseKey(key);
    return count;
}

}

TEST(DeleteKeyTree, RemovesEveryLevelBelowAndKeepsTheKey)
{
    TestKey root;
    const char* const tree[] = { "Tree\\A\\A1\\A11", "Tree\\A\\A2", "Tree\\B\\B1\\B11\\B111", "Tree\\B\\B2",
                                 "Tree\\C", "Tree\\D\\D1", "Sibling\\Kept" };
    for (const char* path : tree)
        CreateKey(root / path);
    SetStringValue(HKEY_LOCAL_MACHINE, root / "Tree", "Value", "stays");
    SetStringValue(HKEY_LOCAL_MACHINE, root / "Tree\\A\\A2", "Value", "goes");

    CRemovalOperations::DeleteKeyTree(HKEY_LOCAL_MACHINE, (root / "Tree").c_str());

    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, root / "Tree"));
    EXPECT_EQ(0u, SubkeyCount(root / "Tree"));
    EXPECT_EQ(std::string("stays", 6), StringValue(HKEY_LOCAL_MACHINE, root / "Tree", "Value"))
        << "the key's own values are not touched";
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, root / "Sibling\\Kept")) << "nothing beside the key is touched";
}

TEST(DeleteKeyTree, AMissingKeyIsLeftAlone)
{
    TestKey root;
    CreateKey(root / "Present");
    CRemovalOperations::DeleteKeyTree(HKEY_LOCAL_MACHINE, (root / "Absent").c_str());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, root / "Absent"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, root / "Present"));
}

TEST(DeleteKeyTree, AKeyThatCannotGoIsSteppedOverAndTheRestStillGoes)
{
    TestKey root;
    for (const char* path : { "Tree\\A", "Tree\\B\\B1", "Tree\\C", "Tree\\D\\D1" })
        CreateKey(root / path);
    ASSERT_TRUE(DenyKeyDeletion(HKEY_LOCAL_MACHINE, root / "Tree\\B", true));

    CRemovalOperations::DeleteKeyTree(HKEY_LOCAL_MACHINE, (root / "Tree").c_str());

    bool held = KeyExists(HKEY_LOCAL_MACHINE, root / "Tree\\B");
    DenyKeyDeletion(HKEY_LOCAL_MACHINE, root / "Tree\\B", false);
    EXPECT_TRUE(held) << "the protected key stays";
    // Full access to it is denied, so nothing below it is reached either.
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, root / "Tree\\B\\B1"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, root / "Tree\\A"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, root / "Tree\\C"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, root / "Tree\\D"));
}
