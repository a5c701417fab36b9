// The install engine in-process, against Wine's real registry, files and
// shell links: what cannot be installed is reported, never guessed at.
#include "../../framework/ProgressCtrl.h"
#include "../../install/InstallOperations.h"
#include "../../install/ShortcutWriter.h"
#include "../../windows/WindowsFolders.h"
#include "../../windows/WindowsVersion.h"
#include "../support/InstalledState.h"
#include "../support/TestFolder.h"
#include <gtest/gtest.h>

TEST(InstallEngine, ShortcutsRoundTripAndNeverSaveACutPath)
{
    TestFolder folder("links");
    const std::string link = folder / "Group ソ\\Sub\\設定.lnk";
    // COM already on: the writer works and leaves it on.
    ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL)));
    EXPECT_TRUE(CreateShortcut(link.c_str(), (SystemFolder() + "\\control.exe").c_str(), "Varnolt の設定を行います",
                               "VarnX.cpl"));
    EXPECT_EQ(S_FALSE, CoInitialize(NULL)) << "the thread's COM is as it was";
    CoUninitialize();
    CoUninitialize();

    LinkProperties properties;
    ASSERT_TRUE(LoadLink(link, properties)) << "the missing folders were made";
    EXPECT_STRCASEEQ((SystemFolder() + "\\control.exe").c_str(), properties.target.c_str());
    EXPECT_EQ("VarnX.cpl", properties.arguments);
    EXPECT_EQ("Varnolt の設定を行います", properties.description);
    EXPECT_EQ("", properties.workingDirectory);
    EXPECT_EQ(SW_SHOWNORMAL, properties.showCommand);

    const std::string tooLong = folder / (std::string(260 - folder.Path().size(), 'x') + ".lnk");
    EXPECT_FALSE(CreateShortcut(tooLong.c_str(), "C:\\a.exe", "", ""));
    const std::string truncated = tooLong.substr(0, MAX_PATH - 1);
    EXPECT_FALSE(FileExists(truncated)) << "no link under a cut name";
    EXPECT_FALSE(CreateShortcut("Q:\\VarnoltMissing\\x.lnk", "C:\\a.exe", "", "")) << "a folder that cannot be made";
}

// These machines cannot run the older family: the choice it makes is
// checked here, beside the one of the system that runs the test.
TEST(InstallEngine, TheSettingsLinkStartsTheControlPanelThatLoadsTheApplet)
{
    const CString system = "C:\\Windows\\system32", wow64 = "C:\\Windows\\SysWOW64", windows = "C:\\Windows";
    EXPECT_STREQ("C:\\Windows\\system32", ChooseAppletHostFolder(FALSE, TRUE, system, "", windows));
    EXPECT_STREQ("C:\\Windows\\SysWOW64", ChooseAppletHostFolder(TRUE, TRUE, system, wow64, windows));
    EXPECT_STREQ("C:\\Windows", ChooseAppletHostFolder(FALSE, FALSE, "C:\\Windows\\SYSTEM", "", windows));
    EXPECT_STREQ(SystemFilesFolder().c_str(), GetAppletHostFolder(SystemFolder().c_str()))
        << "the control panel beside the applet, also under WOW64";
}

// What a restart carries out is read by Windows, outside a 32-bit program's
// redirected view of the system folder.
TEST(InstallEngine, RestartOperationsNameTheFilesWhereWindowsKeepsThem)
{
    const CString system = "C:\\Windows\\system32", wow64 = "C:\\Windows\\SysWOW64";
    EXPECT_STREQ("C:\\Windows\\SysWOW64\\VarnX.cpl.1-2.old",
                 UnredirectedPath("C:\\WINDOWS\\System32\\VarnX.cpl.1-2.old", system, wow64));
    EXPECT_STREQ("C:\\Windows\\system32x\\a", UnredirectedPath("C:\\Windows\\system32x\\a", system, wow64));
    EXPECT_STREQ("D:\\VarnX\\VarnX.dll", UnredirectedPath("D:\\VarnX\\VarnX.dll", system, wow64));
    EXPECT_STREQ("C:\\Windows\\system32\\a", UnredirectedPath("C:\\Windows\\system32\\a", system, ""));
    EXPECT_STREQ((SystemFilesFolder() + "\\a").c_str(), GetUnredirectedPath((SystemFolder() + "\\a").c_str()));
}

TEST(InstallEngine, RowsThatCannotBeInstalledAreReportedAndStillStepped)
{
    TestFolder folder("engine");
    // Neither the system folder nor the Programs folder could be located.
    InstallSettings settings = { (folder / "VarnX").c_str(), "", "", TRUE, INVALID_HANDLE_VALUE };
    CProgressCtrl bar;
    bar.Attach(CreateWindowExA(0, PROGRESS_CLASSA, NULL, WS_POPUP, 0, 0, 160, 16, NULL, NULL, NULL, NULL));
    bar.SetRange(0, 16);
    bar.SetStep(1);

    CShownProgress<CProgressCtrl> progress(bar);
    CFailureList failures;
    CRestartList restarts;
    CInstallOperations(settings, progress, failures, restarts).Run();
    EXPECT_TRUE(restarts.IsEmpty());
    EXPECT_EQ(16, (int)bar.SendMessage(PBM_GETPOS)) << "one step per row";

    // The sources are not beside this program, so every copy fails too.
    const std::string install = folder / "VarnX\\";
    EXPECT_EQ("ファイルコピー：" + install + "VarnX.dll\nファイルコピー：" + install + "VarnX.exe\nファイルコピー：" +
                  install + "Setup.exe\nファイルコピー：" + install +
                  "Readme.txt\nファイルコピー：VarnX.cpl\nファイルコピー：VarnX.dll\n"
                  "ショートカット作成：Varnolt.lnk\nショートカット作成：Varnolt の設定.lnk\n"
                  "ショートカット作成：Varnolt の削除.lnk\nショートカット作成：Readme.lnk\n",
              std::string(failures.GetLines()));
    EXPECT_EQ("\"" + install + "Setup.exe\" /uninstall" + '\0',
              StringValue(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "UnInstallString"));
    EXPECT_EQ(install + "VarnX.exe" + '\0', StringValue(HKEY_LOCAL_MACHINE, PRODUCT_KEY, "Exe-Path"));
    EXPECT_FALSE(FileExists("\\VarnX.cpl")) << "nothing lands in the root of the current drive";
    DestroyWindow(bar.m_hWnd);
    RemoveCatalogueItems();
}
