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
    EXPECT_FALSE(options.bRemovalWord || options.bUnknownSwitch);
    EXPECT_TRUE(options.bDestinationGiven);
    EXPECT_STREQ("C:\\Apps\\Var nolt ソ ", options.strDestination) << "to the end of the line, spaces included";
    EXPECT_STREQ("C:\\my logs\\setup.log", options.strLogFile);
    EXPECT_FALSE(ParseCommandLineOptions("Setup.exe /s").bQuiet) << "case-sensitive";
    EXPECT_FALSE(ParseCommandLineOptions("Setup.exe /S/uninstall").bQuiet) << "a word of its own";
    EXPECT_FALSE(ParseCommandLineOptions("Setup.exe /D=C:\\x /S").bQuiet) << "inside the folder";

    // Refused: whatever could be read as an install where a removal was
    // meant, a removal given a folder, a switch misspelt or quoted.
    const char* const refused[] = { "Setup.exe /uninstall /S", "Setup.exe /S /uninstall ", "Setup.exe /S /uninstall\t",
                                    "Setup.exe /S \"/uninstall\"", "Setup.exe /S /uninstall /D=C:\\x",
                                    "Setup.exe /S /D=C:\\x /uninstall", "Setup.exe /S /Uninstall",
                                    "Setup.exe /S \"/D=C:\\My Apps\\x\"", "Setup.exe /S /d=C:\\x" };
    for (const char* line : refused)
        EXPECT_TRUE(IsRefusedQuietLine(ParseCommandLineOptions(line), SelectsRemoval(line))) << line;
    for (const char* line : { "Setup.exe /S /uninstall", "\"C:\\a b\\Setup.exe\" /S /LOG=x.log /uninstall",
                              "Setup.exe /S /D=C:\\x /y" })
        EXPECT_FALSE(IsRefusedQuietLine(ParseCommandLineOptions(line), SelectsRemoval(line))) << line;
    EXPECT_FALSE(IsRefusedQuietLine(ParseCommandLineOptions("Setup.exe /uninstall /X"), FALSE)) << "not quiet";
}
