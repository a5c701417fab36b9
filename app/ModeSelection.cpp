#include "ModeSelection.h"

#include <string.h>

namespace {
const char REMOVAL_SWITCH[] = "/uninstall";
const char QUIET_SWITCH[] = "/S";
const char HELP_SWITCH[] = "/?";
// Deployment templates append it by habit; setup never restarts Windows.
const char NO_RESTART_SWITCH[] = "/norestart";
const char DESTINATION_SWITCH[] = "/D=";
const char LOG_SWITCH[] = "/LOG=";

BOOL StartsWithSwitch(const char* text, const char* pszSwitch)
{
    return CString(text).Left((int)strlen(pszSwitch)).CompareNoCase(pszSwitch) == 0;
}
}

const char COMMAND_LINE_HELP[] = "Setup.exe [/S] [/LOG=ファイル] [/D=フォルダ | /uninstall]\n\n"
                                 "/S\t画面なしで実行\n/D=\tインストール先（最後に）\n/LOG=\t結果のファイル\n"
                                 "/norestart\t無視（再起動はしません）\n\n"
                                 "終了コード：0 完了、3010 再起動で完了、1602 取消、1603 失敗、"
                                 "1605 製品なし、1618 実行中、1638 別の版あり、1639 引数の誤り、5 権限なし";

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
    const char* line = commandLine;
    const char* text = line;
    // Where the line that the mode reads ends: before the words at its end
    // that change nothing of the mode.
    int modeLength = -1;
    while (*text) {
        const char* space = text;
        while (*text == ' ' || *text == '\t')
            ++text;
        if (StartsWithSwitch(text, DESTINATION_SWITCH)) {
            options.bDestinationGiven = TRUE;
            options.strDestination = text + strlen(DESTINATION_SWITCH);
            modeLength = -1;
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
        BOOL logWord = StartsWithSwitch(word, LOG_SWITCH);
        BOOL changesNothingOfTheMode = logWord || word.CompareNoCase(NO_RESTART_SWITCH) == 0;
        if (word.CompareNoCase(QUIET_SWITCH) == 0)
            options.bQuiet = TRUE;
        else if (word.Compare(HELP_SWITCH) == 0)
            options.bHelp = TRUE;
        else if (logWord)
            options.strLogFile = word.Mid((int)strlen(LOG_SWITCH));
        else if (IsRemovalWord(word))
            options.bRemovalWord = TRUE;
        else if (!changesNothingOfTheMode && *(const char*)word == '/')
            options.bUnknownSwitch = TRUE;
        if (!changesNothingOfTheMode)
            modeLength = -1;
        else if (modeLength < 0)
            modeLength = (int)(space - line);
    }
    options.bRemoval =
        IsRemovalWord(GetCommandLineWord(modeLength < 0 ? commandLine : commandLine.Left(modeLength)));
    return options;
}

BOOL IsRefusedQuietLine(const CommandLineOptions& options)
{
    return options.bQuiet && (options.bRemovalWord != options.bRemoval || options.bUnknownSwitch ||
                              (options.bRemoval && options.bDestinationGiven));
}
