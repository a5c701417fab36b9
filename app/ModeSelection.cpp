#include "ModeSelection.h"

#include <string.h>

namespace {
const char REMOVAL_SWITCH[] = "/uninstall";
const char QUIET_SWITCH[] = "/S";
const char DESTINATION_SWITCH[] = "/D=";
const char LOG_SWITCH[] = "/LOG=";
}

CString GetCommandLineWord(const CString& commandLine)
{
    return commandLine.Mid(commandLine.ReverseFind(' ') + 1);
}

BOOL IsRemovalWord(const CString& word)
{
    return word.Compare(REMOVAL_SWITCH) == 0;
}

CommandLineOptions ParseCommandLineOptions(const CString& commandLine)
{
    CommandLineOptions options = {};
    const char* text = commandLine;
    while (*text) {
        while (*text == ' ' || *text == '\t')
            ++text;
        if (strncmp(text, DESTINATION_SWITCH, strlen(DESTINATION_SWITCH)) == 0) {
            options.bDestinationGiven = TRUE;
            options.strDestination = text + strlen(DESTINATION_SWITCH);
            break;
        }
        // One word, its quotes dropped.
        CString word;
        BOOL quoted = FALSE;
        while (*text && (quoted || (*text != ' ' && *text != '\t'))) {
            const char* run = text;
            while (*text && *text != '"' && (quoted || (*text != ' ' && *text != '\t')))
                text = NextCharacter(text);
            CString part;
            part.Format("%.*s", (int)(text - run), run);
            word += part;
            if (*text == '"') {
                quoted = !quoted;
                ++text;
            }
        }
        if (word.Compare(QUIET_SWITCH) == 0)
            options.bQuiet = TRUE;
        else if (word.Left((int)strlen(LOG_SWITCH)).Compare(LOG_SWITCH) == 0)
            options.strLogFile = word.Mid((int)strlen(LOG_SWITCH));
        else if (IsRemovalWord(word))
            options.bRemovalWord = TRUE;
        else if (word.Left(1).Compare("/") == 0)
            options.bUnknownSwitch = TRUE;
    }
    return options;
}

BOOL IsRefusedQuietLine(const CommandLineOptions& options, BOOL bRemoval)
{
    return options.bQuiet && (options.bRemovalWord != bRemoval || options.bUnknownSwitch ||
                              (bRemoval && options.bDestinationGiven));
}
