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
    return _strnicmp(text, pszSwitch, strlen(pszSwitch)) == 0;
}
}

const char COMMAND_LINE_HELP[] = "Setup.exe [/S] [/LOG=<ファイル>] [/D=<フォルダ>]\n"
                                 "Setup.exe [/S] [/LOG=<ファイル>] /uninstall\n\n"
                                 "/S\t画面を出さずに実行します。\n"
                                 "/D=\tインストール先のフォルダ（最後に、引用符なしで）\n"
                                 "/LOG=\t結果を書くファイル\n"
                                 "/uninstall\tVarnolt を削除します（最後の語として）。\n"
                                 "/norestart\t何も変えません（再起動はしません）。\n\n"
                                 "終了コード：\n"
                                 "0\t完了\n3010\t再起動後に完了\n1602\t取り消し\n1603\t失敗\n"
                                 "1605\tVarnolt が見つかりません\n1618\t別のセットアップが実行中\n"
                                 "1639\tコマンドラインが正しくありません\n5\t管理者権限がありません";

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
        BOOL changesNothingOfTheMode = StartsWithSwitch(word, LOG_SWITCH) || word.CompareNoCase(NO_RESTART_SWITCH) == 0;
        if (word.CompareNoCase(QUIET_SWITCH) == 0)
            options.bQuiet = TRUE;
        else if (word.Compare(HELP_SWITCH) == 0)
            options.bHelp = TRUE;
        else if (StartsWithSwitch(word, LOG_SWITCH))
            options.strLogFile = word.Mid((int)strlen(LOG_SWITCH));
        else if (IsRemovalWord(word))
            options.bRemovalWord = TRUE;
        else if (!changesNothingOfTheMode && word.Left(1).Compare("/") == 0)
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
