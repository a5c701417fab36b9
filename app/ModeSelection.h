// Which mode the command line asks for.
#pragma once
#include "../framework/String.h"

// The text after the last space of the command line (the whole line when
// it has none). Quotes and tabs mean nothing here.
CString GetCommandLineWord(const CString& commandLine);
// Whether the word selects removal: exactly "/uninstall", case-sensitive.
BOOL IsRemovalWord(const CString& word);
