// Which mode the command line asks for.
#pragma once
#include "../framework/String.h"

// The text after the last space of the command line (the whole line when
// it has none). Quotes and tabs mean nothing here.
CString GetCommandLineWord(const CString& commandLine);
// Whether the word selects removal: exactly "/uninstall", case-sensitive.
BOOL IsRemovalWord(const CString& word);

// What a command line asks for. Words are separated by spaces and tabs;
// double quotes keep those inside a word and are not part of it. The
// switches are read in any case but "/uninstall". "/D=" is the last switch:
// its folder runs to the end of the line, spaces included, without quotes.
struct CommandLineOptions
{
    // The mode: the last word is "/uninstall", once the words that change
    // nothing of the mode ("/LOG=…" and "/norestart") are cut off the end.
    BOOL bRemoval;
    BOOL bQuiet;              // "/S"
    BOOL bHelp;               // "/?"
    BOOL bRemovalWord;        // "/uninstall" is a word, wherever it stands
    BOOL bUnknownSwitch;      // a word starting with "/" that means nothing here
    BOOL bDestinationGiven;   // "/D=" came
    CString strDestination;
    CString strLogFile;       // "/LOG=<file>"; empty for none
};
CommandLineOptions ParseCommandLineOptions(const CString& commandLine);
// Whether a quiet line must be refused, with nothing touched: it could be
// read as an install where a removal was meant ("/uninstall" a word, but
// not the last one as the mode sees it), asks a removal for a folder, or
// holds a switch that is misspelt or quoted where none may be.
BOOL IsRefusedQuietLine(const CommandLineOptions& options);
// The switches and the exit codes, as "/?" shows them.
extern const char COMMAND_LINE_HELP[];
