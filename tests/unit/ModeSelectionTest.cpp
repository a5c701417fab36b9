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

TEST(ModeSelection, QuietSwitchesBesideTheLastWord)
{
    CommandLineOptions options =
        ParseCommandLineOptions("\"C:\\ソフト 表\\Setup.exe\" /S /LOG=\"C:\\my logs\\setup.log\" /D=C:\\Apps\\Var nolt ソ ");
    EXPECT_TRUE(options.bQuiet);
    EXPECT_FALSE(options.bRemovalWordEarly);
    EXPECT_TRUE(options.bDestinationGiven);
    EXPECT_STREQ("C:\\Apps\\Var nolt ソ ", options.strDestination) << "to the end of the line, spaces included";
    EXPECT_STREQ("C:\\my logs\\setup.log", options.strLogFile);

    EXPECT_FALSE(ParseCommandLineOptions("Setup.exe /s /uninstall").bQuiet) << "case-sensitive";
    EXPECT_FALSE(ParseCommandLineOptions("Setup.exe /S/uninstall").bQuiet) << "a word of its own";
    EXPECT_FALSE(ParseCommandLineOptions("Setup.exe /D=C:\\x /S").bQuiet) << "inside the folder";
    EXPECT_FALSE(ParseCommandLineOptions("Setup.exe /S /uninstall").bRemovalWordEarly);
    EXPECT_TRUE(ParseCommandLineOptions("Setup.exe /uninstall /S").bRemovalWordEarly);
    EXPECT_TRUE(ParseCommandLineOptions("Setup.exe /S /uninstall ").bRemovalWordEarly) << "the last word is empty";
    EXPECT_TRUE(ParseCommandLineOptions("Setup.exe /S /uninstall /D=C:\\x").bRemovalWordEarly);
}
