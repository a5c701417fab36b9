#include "../../app/ModeSelection.h"
#include <gtest/gtest.h>

namespace {

bool SelectsRemoval(const char* commandLine) { return IsRemovalWord(GetCommandLineWord(commandLine)); }

}

TEST(ModeSelection, OnlyTheTextAfterTheLastSpaceCounts)
{
    EXPECT_STREQ("/uninstall", GetCommandLineWord("C:\\Program Files\\VarnX\\Setup.exe /uninstall"));
    EXPECT_TRUE(SelectsRemoval("C:\\Program Files\\VarnX\\Setup.exe /uninstall"));
    EXPECT_TRUE(SelectsRemoval("\"C:\\Program Files\\VarnX\\Setup.exe\" /uninstall"));
    EXPECT_FALSE(SelectsRemoval("C:\\Program Files\\VarnX\\Setup.exe /uninstall now"));
    EXPECT_STREQ("now", GetCommandLineWord("Setup.exe /uninstall now"));
}

TEST(ModeSelection, TheComparisonIsExactAndCaseSensitive)
{
    EXPECT_FALSE(SelectsRemoval("Setup.exe /UNINSTALL"));
    EXPECT_FALSE(SelectsRemoval("Setup.exe /Uninstall"));
    EXPECT_FALSE(SelectsRemoval("Setup.exe /uninstal"));
    EXPECT_FALSE(SelectsRemoval("Setup.exe -uninstall"));
    EXPECT_FALSE(SelectsRemoval("Setup.exe\t/uninstall"));
}

TEST(ModeSelection, ATrailingSpaceLeavesAnEmptyWord)
{
    EXPECT_STREQ("", GetCommandLineWord("Setup.exe /uninstall "));
    EXPECT_FALSE(SelectsRemoval("Setup.exe /uninstall "));
}

TEST(ModeSelection, ALineWithoutSpacesIsComparedWhole)
{
    EXPECT_STREQ("C:\\media\\Setup.exe", GetCommandLineWord("C:\\media\\Setup.exe"));
    EXPECT_FALSE(SelectsRemoval("C:\\media\\Setup.exe"));
    EXPECT_TRUE(SelectsRemoval("/uninstall"));
    EXPECT_FALSE(SelectsRemoval(""));
}

TEST(ModeSelection, JapaneseFolderNamesDoNotConfuseTheSearch)
{
    // ソ and 表 end in the byte 0x5C; neither holds a space byte.
    EXPECT_TRUE(SelectsRemoval("C:\\ソフト 表\\Setup.exe /uninstall"));
    EXPECT_STREQ("表\\Setup.exe", GetCommandLineWord("C:\\ソフト 表\\Setup.exe"));
}
