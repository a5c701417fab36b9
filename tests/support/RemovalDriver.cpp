#include "RemovalDriver.h"
#include "InstalledState.h"
#include "TestFolder.h"
#include "WindowDriver.h"
#include <gtest/gtest.h>

namespace {
const char BOX_CLASS[] = "#32770";
const char PANEL_CAPTION[] = "アンインストール中．．．";
}

RemovalOutcome RunRemoval(const std::string& program, const std::string& commandLine, const std::string& shotPrefix)
{
    RemovalOutcome outcome = { "", "", "", STILL_ACTIVE };
    ChildProcess setup(program, commandLine);
    EXPECT_TRUE(setup.Started()) << commandLine;
    HWND confirm = WaitForWindow(BOX_CLASS, "確認", setup.Handle());
    if (!confirm) {
        ADD_FAILURE() << "no confirmation box";
        return outcome;
    }
    EXPECT_EQ("Varnolt を削除しますか？", MessageBoxText(confirm));
    SaveScreenshot(confirm, shotPrefix + "-confirm");
    PressButton(confirm, IDYES);
    EXPECT_TRUE(WaitForWindowGone(confirm));

    HWND panel = WaitForWindow(BOX_CLASS, PANEL_CAPTION, setup.Handle());
    EXPECT_NE(nullptr, panel) << "the progress panel shows during the removal";
    if (panel) {
        Sleep(600);
        SaveScreenshot(panel, shotPrefix + "-panel");
    }

    HWND box = NULL;
    for (DWORD start = GetTickCount(); !box && GetTickCount() - start < 30000; Sleep(20)) {
        for (const char* caption : { "確認", "ERROR!" }) {
            HWND found = FindWindowA(BOX_CLASS, caption);
            if (found && IsWindowVisible(found)) {
                box = found;
                outcome.caption = caption;
            }
        }
    }
    if (!box) {
        ADD_FAILURE() << "no final box";
        return outcome;
    }
    EXPECT_EQ(nullptr, FindWindowA(BOX_CLASS, PANEL_CAPTION)) << "the panel is gone before the final box";
    outcome.text = MessageBoxText(box);
    SaveScreenshot(box, shotPrefix + "-result");
    PressButton(box, IDOK);
    EXPECT_TRUE(WaitForWindowGone(box));
    HWND restart = WaitForWindow(BOX_CLASS, "確認", setup.Handle());
    if (restart) {
        outcome.restartText = MessageBoxText(restart);
        SaveScreenshot(restart, shotPrefix + "-restart");
        PressButton(restart, IDOK);
    }
    EXPECT_TRUE(setup.WaitForExit());
    outcome.exitCode = setup.ExitCode();
    return outcome;
}

std::string NothingLeftReport(const std::string& installFolder)
{
    const std::string uninstallLine = "レジストリ削除：HKEY_LOCAL_MACHINE\\" + std::string(UNINSTALL_KEY) + "\n";
    std::string report = "下記の内容が失敗しました。\n\n" + uninstallLine + uninstallLine +
                         "レジストリ削除：HKEY_LOCAL_MACHINE\\SOFTWARE\\QUORLEN\\VarnX\n"
                         "レジストリ削除：HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\n"
                         "レジストリ削除：HKEY_LOCAL_MACHINE\\Software\\Quorlen\n";
    for (const char* name : INSTALL_FOLDER_FILES)
        report += "ファイル削除：" + (installFolder.empty() ? "" : installFolder + "\\") + name + "\n";
    for (const char* name : SYSTEM_FOLDER_FILES)
        report += "ファイル削除：" + SystemFolder() + "\\" + name + "\n";
    return report;
}

std::string RestartReport(const std::vector<std::string>& paths)
{
    std::string report = "次のファイルは使用中のため、Windows の再起動後に処理が完了します。\n\n";
    for (const std::string& path : paths)
        report += path + "\n";
    return report;
}
