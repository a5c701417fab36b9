// Which mode the command line asks for.
#pragma once
#include "../framework/String.h"

// The text after the last space of the command line (the whole line when
// it has none). Quotes and tabs mean nothing here.
CString GetCommandLineWord(const CString& commandLine);
// Whether the word selects removal: exactly "/uninstall", case-sensitive.
BOOL IsRemovalWord(const CString& word);

// What a command line asks for beside its mode. Words are separated by
// spaces; double quotes keep spaces inside a word and are not part of it.
// "/D=" is the last switch: its folder runs to the end of the line, spaces
// included, without quotes.
struct CommandLineOptions
{
    BOOL bQuiet;              // the word "/S", exact and case-sensitive
    BOOL bRemovalWordEarly;   // "/uninstall" is a word, but not the last one
    BOOL bDestinationGiven;   // "/D=" came
    CString strDestination;
    CString strLogFile;       // "/LOG=<file>"; empty for none
};
CommandLineOptions ParseCommandLineOptions(const CString& commandLine);
