#include "ModeSelection.h"

namespace {
const char REMOVAL_SWITCH[] = "/uninstall";
}

CString GetCommandLineWord(const CString& commandLine)
{
    return commandLine.Mid(commandLine.ReverseFind(' ') + 1);
}

BOOL IsRemovalWord(const CString& word)
{
    return word.Compare(REMOVAL_SWITCH) == 0;
}
