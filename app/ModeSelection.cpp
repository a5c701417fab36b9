#include "ModeSelection.h"
#include <mbstring.h>

namespace {
const char REMOVAL_SWITCH[] = "/uninstall";
}

CString GetCommandLineWord(const CString& commandLine)
{
    return commandLine.Mid(commandLine.ReverseFind(' ') + 1);
}

BOOL IsRemovalWord(const CString& word)
{
    return _mbscmp(reinterpret_cast<const unsigned char*>((const char*)word),
                   reinterpret_cast<const unsigned char*>(REMOVAL_SWITCH)) == 0;
}
