#include "../../app/ModeSelection.h"
#include <gtest/gtest.h>

namespace {

bool SelectsRemoval(const char* commandLine) { return ParseCommandLineOptions(commandLine).bRemoval; }

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
    EXPECT_FALSE(ParseCommandLineOptions("Setup.exe /S/uninstall").bQuiet) << "a word of its own";
    EXPECT_FALSE(ParseCommandLineOptions("Setup.exe /D=C:\\x /S").bQuiet) << "inside the folder";

    // Refused: whatever could be read as an install where a removal was
    // meant, a removal given a folder, a switch misspelt or quoted.
    const char* const refused[] = { "Setup.exe /uninstall /S", "Setup.exe /S /uninstall ", "Setup.exe /S /uninstall\t",
                                    "Setup.exe /S \"/uninstall\"", "Setup.exe /S /uninstall /D=C:\\x",
                                    "Setup.exe /S /D=C:\\x /uninstall", "Setup.exe /S /Uninstall",
                                    "Setup.exe /S \"/D=C:\\My Apps\\x\"", "Setup.exe /s /UNINSTALL /LOG=x",
                                    "Setup.exe /S /uninstall /LOG=x /restart", "Setup.exe /S /uninstall /LOG=x " };
    for (const char* line : refused)
        EXPECT_TRUE(IsRefusedQuietLine(ParseCommandLineOptions(line))) << line;
    for (const char* line : { "Setup.exe /S /uninstall", "\"C:\\a b\\Setup.exe\" /S /LOG=x.log /uninstall",
                              "Setup.exe /S /D=C:\\x /y", "Setup.exe /s /uninstall /log=\"C:\\my logs\\x\" /NoRestart" })
        EXPECT_FALSE(IsRefusedQuietLine(ParseCommandLineOptions(line))) << line;
    EXPECT_FALSE(IsRefusedQuietLine(ParseCommandLineOptions("Setup.exe /uninstall /X"))) << "not quiet";
}

// What deployment tools write: the switches in any case but "/uninstall",
// and words at the end that change nothing of the mode.
TEST(ModeSelection, DeploymentToolsCommandLines)
{
    const struct
    {
        const char* line;
        bool removal, quiet, help;
        const char* logFile;
        const char* destination;
    } lines[] = {
        { "Setup.exe /s", false, true, false, "", "" },
        { "Setup.exe /S /d=C:\\Var nolt", false, true, false, "", "C:\\Var nolt" },
        { "Setup.exe /S /uninstall /LOG=x", true, true, false, "x", "" },
        { "Setup.exe /uninstall /log=\"C:\\my logs\\x\"", true, false, false, "C:\\my logs\\x", "" },
        { "Setup.exe /uninstall /norestart", true, false, false, "", "" },
        { "Setup.exe /S /uninstall /NORESTART /LOG=y", true, true, false, "y", "" },
        { "Setup.exe /norestart", false, false, false, "", "" },
        { "Setup.exe /LOG=x /uninstall", true, false, false, "x", "" },
        { "Setup.exe /LOG=x", false, false, false, "x", "" },
        { "Setup.exe /uninstall /LOG=x now", false, false, false, "x", "" },
        { "Setup.exe /?", false, false, true, "", "" },
    };
    for (const auto& expected : lines) {
        CommandLineOptions options = ParseCommandLineOptions(expected.line);
        EXPECT_EQ(expected.removal, (bool)options.bRemoval) << expected.line;
        EXPECT_EQ(expected.quiet, (bool)options.bQuiet) << expected.line;
        EXPECT_EQ(expected.help, (bool)options.bHelp) << expected.line;
        EXPECT_STREQ(expected.logFile, options.strLogFile) << expected.line;
        EXPECT_STREQ(expected.destination, options.strDestination) << expected.line;
        EXPECT_FALSE(options.bUnknownSwitch) << expected.line;
    }
}
