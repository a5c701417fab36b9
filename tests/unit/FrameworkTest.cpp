// The framework layer's own behaviour that the program leans on.
#include "../../catalogue/ItemCatalogue.h"
#include "../../framework/CmdTarget.h"
#include "../../framework/StdioFile.h"
#include "../../framework/String.h"
#include "../support/TestFolder.h"
#include "../../res/resource.h"
#include <gtest/gtest.h>
#include <vector>

TEST(Framework, CStringFormatsJoinsAndCuts)
{
    CString path;
    path.Format("%s\\%s", "C:\\Program Files\\VarnX", "VarnX.exe");
    EXPECT_STREQ("C:\\Program Files\\VarnX\\VarnX.exe", path);
    EXPECT_EQ(32, path.GetLength());
    EXPECT_STREQ("C:\\Program", path.Left(10));
    EXPECT_STREQ("VarnX.exe", path.Mid(23));
    EXPECT_STREQ("", path.Mid(99));
    path = path.Mid(3);
    EXPECT_STREQ("Program Files\\VarnX\\VarnX.exe", path) << "assigning a part of itself";
    CString text = CString("下記の内容が失敗しました。\n\n") + "ファイル削除：X\n";
    EXPECT_STREQ("下記の内容が失敗しました。\n\nファイル削除：X\n", text);
    CString empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_STREQ("", empty);
}

TEST(Framework, CStringReverseFindSkipsTrailBytes)
{
    EXPECT_EQ(2, CString("C:\\aソ").ReverseFind('\\'));
    EXPECT_EQ(2, CString("C:\\表示").ReverseFind('\\'));
    EXPECT_EQ(5, CString("C:\\ソ\\x").ReverseFind('\\'));
    EXPECT_EQ(-1, CString("ソ表").ReverseFind('\\'));
}

TEST(Framework, CStringReplaceExpandsEveryPlaceholderOnce)
{
    CString data = RegistryTable[0].pszData;
    EXPECT_EQ(1, data.Replace(INSTALL_PATH_PLACEHOLDER, "E:\\Prog\\VarnX"));
    EXPECT_STREQ("\"E:\\Prog\\VarnX\\Setup.exe\" /uninstall", data) << "the program quoted, then the switch";

    CString twice = "(%INSTALL_PATH%)\\a;(%INSTALL_PATH%)\\b";
    EXPECT_EQ(2, twice.Replace(INSTALL_PATH_PLACEHOLDER, "D:"));
    EXPECT_STREQ("D:\\a;D:\\b", twice);

    // The system folder goes in first, so an install path that itself reads
    // like a placeholder is not expanded again.
    CString target = ShortcutTable[0].pszTarget;
    target.Replace(SYSTEM_PATH_PLACEHOLDER, "C:\\windows\\system32");
    target.Replace(INSTALL_PATH_PLACEHOLDER, "C:\\(%SYSTEM_PATH%)");
    EXPECT_STREQ("C:\\(%SYSTEM_PATH%)\\VarnX.exe", target);

    CString unchanged = "Varnolt 2.0";
    EXPECT_EQ(0, unchanged.Replace(INSTALL_PATH_PLACEHOLDER, "X"));
    EXPECT_STREQ("Varnolt 2.0", unchanged);
    CString backslashes = "C:\\\\\\\\a\\\\\\b";
    backslashes.Replace("\\\\", "\\");
    EXPECT_STREQ("C:\\\\a\\\\b", backslashes) << "pairs are replaced left to right, without overlap";
    CString japanese = "C:\\ソ\\表\\\\x";
    EXPECT_EQ(1, japanese.Replace("\\\\", "\\")) << "the trail byte 0x5C of ソ and 表 starts no pair";
    EXPECT_STREQ("C:\\ソ\\表\\x", japanese);
}

TEST(Framework, CStringLoadsFromTheStringTable)
{
    CString group;
    EXPECT_TRUE(group.LoadString(IDS_PROGRAM_GROUP));
    EXPECT_STREQ("Varnolt", group);
    CString missing = "old";
    EXPECT_FALSE(missing.LoadString(9999));
    EXPECT_STREQ("", missing);
}

namespace {

class CBaseItem : public CObject
{
    DECLARE_DYNAMIC(CBaseItem)
};
IMPLEMENT_DYNAMIC(CBaseItem, CObject)

class CMadeItem : public CBaseItem
{
    DECLARE_DYNCREATE(CMadeItem)
};
IMPLEMENT_DYNCREATE(CMadeItem, CBaseItem)

}

TEST(Framework, RuntimeClassesNameAndCreate)
{
    CMadeItem item;
    EXPECT_STREQ("CMadeItem", item.GetRuntimeClass()->m_lpszClassName);
    EXPECT_TRUE(item.IsKindOf(RUNTIME_CLASS(CBaseItem)));
    EXPECT_TRUE(item.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(CBaseItem().IsKindOf(RUNTIME_CLASS(CMadeItem)));
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CBaseItem)->CreateObject()) << "no dynamic creation declared";
    CObject* made = RUNTIME_CLASS(CMadeItem)->CreateObject();
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(RUNTIME_CLASS(CMadeItem), made->GetRuntimeClass());
    delete made;
}

namespace {

class CBaseTarget : public CCmdTarget
{
public:
    int m_nBase = 0;
    int m_nShared = 0;
    virtual void OnShared() { m_nShared = 1; }
    void OnBase() { ++m_nBase; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBaseTarget, CCmdTarget)
    ON_COMMAND(100, OnBase)
    ON_BN_CLICKED(101, OnShared)
END_MESSAGE_MAP()

class CDerivedTarget : public CBaseTarget
{
public:
    int m_nDerived = 0;
    void OnShared() override { m_nShared = 2; }
    void OnDerived() { ++m_nDerived; }
    BOOL OnInitDialog() { return 7; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDerivedTarget, CBaseTarget)
    ON_EN_KILLFOCUS(102, OnDerived)
    ON_WM_INITDIALOG()
END_MESSAGE_MAP()

}

TEST(Framework, MessageMapsChainToTheBaseClass)
{
    CDerivedTarget target;
    LRESULT result = -1;
    EXPECT_TRUE(target.OnCmdMsg(WM_COMMAND, MAKEWPARAM(100, 0), 0, &result));
    EXPECT_EQ(1, target.m_nBase) << "an entry of the base map";
    EXPECT_TRUE(target.OnCmdMsg(WM_COMMAND, MAKEWPARAM(101, BN_CLICKED), 0, &result));
    EXPECT_EQ(2, target.m_nShared) << "a virtual handler reaches the override";
    EXPECT_TRUE(target.OnCmdMsg(WM_COMMAND, MAKEWPARAM(102, EN_KILLFOCUS), 0, &result));
    EXPECT_EQ(1, target.m_nDerived);
    EXPECT_FALSE(target.OnCmdMsg(WM_COMMAND, MAKEWPARAM(102, EN_SETFOCUS), 0, &result)) << "the code must match";
    EXPECT_FALSE(target.OnCmdMsg(WM_COMMAND, MAKEWPARAM(103, 0), 0, &result));
    EXPECT_TRUE(target.OnCmdMsg(WM_INITDIALOG, 0, 0, &result));
    EXPECT_EQ(7, result) << "a handler's result comes back";
    CBaseTarget base;
    EXPECT_FALSE(base.OnCmdMsg(WM_COMMAND, MAKEWPARAM(102, EN_KILLFOCUS), 0, &result)) << "a base knows no derived entry";
}

TEST(Framework, CStdioFileReadsLinesWithoutTheirEnds)
{
    TestFolder folder("stdio");
    const std::pair<std::string, std::vector<std::string>> files[] = {
        { "", {} },
        { "abc", { "abc" } },
        { "a\r\n\nb\n", { "a", "", "b" } },
        { std::string(1500, 'x') + "\n表ソ", { std::string(1500, 'x'), "表ソ" } },
    };
    for (const auto& file : files) {
        WriteFile(folder / "f.txt", file.first);
        CStdioFile reader;
        ASSERT_TRUE(reader.Open((folder / "f.txt").c_str(), CStdioFile::modeRead | CStdioFile::typeText));
        std::vector<std::string> lines;
        CString line;
        while (reader.ReadString(line))
            lines.push_back((const char*)line);
        EXPECT_EQ(file.second, lines) << testing::PrintToString(file.first.substr(0, 10));
        reader.Close();
    }
    CStdioFile missing;
    EXPECT_FALSE(missing.Open((folder / "none.txt").c_str(), CStdioFile::modeRead | CStdioFile::typeText));
}
