// Start-up of the real Setup.exe: the administrator gate, the command-line
// word and the request to close a running product.
#include "../support/InstalledState.h"
#include "../support/TestFolder.h"
#include "../support/WindowDriver.h"
#include "../support/WizardDriver.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

const char BOX_CLASS[] = "#32770";

// A token like ours with BUILTIN\Administrators for denying only.
HANDLE CreateNonAdministratorToken()
{
    HANDLE process = NULL, restricted = NULL;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &process))
        return NULL;
    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD sidSize = sizeof sid;
    CreateWellKnownSid(WinBuiltinAdministratorsSid, NULL, sid, &sidSize);
    SID_AND_ATTRIBUTES deny = { sid, 0 };
    if (!CreateRestrictedToken(process, 0, 1, &deny, 0, NULL, 0, NULL, &restricted))
        restricted = NULL;
    CloseHandle(process);
    return restricted;
}

class Startup : public testing::Test
{
protected:
    Startup() : m_folder("startup") {}

    std::string SetupCopy()
    {
        std::string path = m_folder / "Setup.exe";
        CopyFileA((MediaFolder() + "\\Setup.exe").c_str(), path.c_str(), FALSE);
        return path;
    }

    // Starts the stand-in product and waits for its window.
    HWND StartProduct(std::unique_ptr<ChildProcess>& product)
    {
        CopyFileA((MediaFolder() + "\\VarnX.ex_").c_str(), (m_folder / "VarnX.exe").c_str(), FALSE);
        product.reset(new ChildProcess(m_folder / "VarnX.exe", "VarnX.exe"));
        return WaitForWindow(NULL, "Varnolt", product->Handle());
    }

    // Runs Setup.exe with the command line; true when it asked to remove,
    // false when it opened the install wizard. Either is declined.
    bool AsksForRemoval(const std::string& commandLine)
    {
        ChildProcess setup(SetupCopy(), commandLine);
        EXPECT_TRUE(setup.Started());
        WizardDriver wizard(setup.Handle());
        bool asked = false;
        for (DWORD start = GetTickCount(); GetTickCount() - start < 30000; Sleep(20)) {
            HWND confirm = WaitForWindow(BOX_CLASS, "確認", setup.Handle(), 0);
            if (confirm) {
                PressButton(confirm, IDNO);
                asked = true;
                break;
            }
            if (wizard.WaitForPage(0, 0)) {
                wizard.ClickSheetButton(WIZARD_CANCEL);
                break;
            }
        }
        EXPECT_TRUE(setup.WaitForExit()) << commandLine;
        EXPECT_EQ((DWORD)ERROR_INSTALL_USEREXIT, setup.ExitCode()) << "declined: " << commandLine;
        return asked;
    }

    TestFolder m_folder;
};

}

TEST_F(Startup, TheLastWordOfTheCommandLineChoosesTheMode)
{
    const std::string program = m_folder / "Setup.exe";
    EXPECT_TRUE(AsksForRemoval(program + " /uninstall"));
    EXPECT_TRUE(AsksForRemoval("/uninstall")) << "a line that is exactly the switch";
    EXPECT_FALSE(AsksForRemoval(program + " /UNINSTALL")) << "case-sensitive";
    EXPECT_FALSE(AsksForRemoval(program + " /uninstall ")) << "a trailing space leaves an empty word";
    EXPECT_FALSE(AsksForRemoval(program + " /uninstall now")) << "only the last word counts";
    EXPECT_FALSE(AsksForRemoval(program)) << "a bare program path installs";
    EXPECT_TRUE(AsksForRemoval(program + " /uninstall /LOG=" + m_folder / "mode.log")) << "the log is no word of the mode";
}

TEST_F(Startup, TheSpacesOfAnUnquotedProgramPathDoNotMatter)
{
    CreateDirectoryA((m_folder / "Program Files").c_str(), NULL);
    std::string program = m_folder / "Program Files\\Setup.exe";
    CopyFileA((MediaFolder() + "\\Setup.exe").c_str(), program.c_str(), FALSE);
    ChildProcess setup(program, program + " /uninstall");
    HWND confirm = WaitForWindow(BOX_CLASS, "確認", setup.Handle());
    ASSERT_NE(nullptr, confirm);
    PressButton(confirm, IDNO);
    EXPECT_TRUE(setup.WaitForExit());
}

TEST_F(Startup, ARunningProductIsAskedToCloseInBothModes)
{
    std::unique_ptr<ChildProcess> product;
    ASSERT_NE(nullptr, StartProduct(product));
    // "/?" shows the switches and the exit codes, and touches nothing.
    {
        ChildProcess help(SetupCopy(), "Setup.exe /?");
        HWND box = WaitForWindow(BOX_CLASS, "Setup", help.Handle());
        ASSERT_NE(nullptr, box);
        for (const char* told : { "/S", "/D=", "/LOG=", "/uninstall", "/norestart", "3010", "1605" })
            EXPECT_NE(std::string::npos, MessageBoxText(box).find(told)) << told;
        SaveScreenshot(box, "command-line-help");
        PressButton(box, IDOK);
        EXPECT_TRUE(help.WaitForExit());
        EXPECT_EQ((DWORD)ERROR_SUCCESS, help.ExitCode());
        EXPECT_FALSE(product->WaitForExit(0)) << "the product is not asked to close";
    }
    // Setup waits until the product's process has ended, its files free.
    {
        ChildProcess setup(SetupCopy(), "Setup.exe /uninstall");
        HWND confirm = WaitForWindow(BOX_CLASS, "確認", setup.Handle());
        ASSERT_NE(nullptr, confirm);
        EXPECT_TRUE(product->WaitForExit(0)) << "ended before the question, whatever the answer";
        PressButton(confirm, IDNO);
        EXPECT_TRUE(setup.WaitForExit());
    }

    ASSERT_NE(nullptr, StartProduct(product));
    {
        ChildProcess setup(SetupCopy(), "Setup.exe");
        WizardDriver wizard(setup.Handle());
        ASSERT_TRUE(wizard.WaitForPage(0));
        EXPECT_TRUE(product->WaitForExit(0)) << "install mode closes it too, before the wizard";
        wizard.ClickSheetButton(WIZARD_CANCEL);
        EXPECT_TRUE(setup.WaitForExit());
    }
}

TEST_F(Startup, WithoutTheClaimOrWithoutAdministratorRightsOnlyAnErrorBox)
{
    InstalledState state(m_folder / "Install");
    std::unique_ptr<ChildProcess> product;
    ASSERT_NE(nullptr, StartProduct(product));
    // The claim's name taken by an object of another kind, in the namespace
    // all sessions share: no setup runs, and it says why.
    HANDLE squatter = CreateMutexA(NULL, FALSE, "Global\\Quorlen.Varnolt.Setup");
    ASSERT_NE(nullptr, squatter);
    {
        ChildProcess setup(state.SetupPath(), state.SetupPath() + " /uninstall");
        HWND box = WaitForWindow(BOX_CLASS, "ERROR", setup.Handle());
        ASSERT_NE(nullptr, box);
        EXPECT_EQ("別のセットアップが実行中です。", MessageBoxText(box));
        SaveScreenshot(box, "another-setup-running");
        PressButton(box, IDOK);
        EXPECT_TRUE(setup.WaitForExit());
        EXPECT_EQ((DWORD)ERROR_INSTALL_ALREADY_RUNNING, setup.ExitCode());
    }
    CloseHandle(squatter);
    HANDLE token = CreateNonAdministratorToken();
    ASSERT_NE(nullptr, token);
    {
        ChildProcess setup(state.SetupPath(), state.SetupPath() + " /uninstall", token);
        ASSERT_TRUE(setup.Started()) << GetLastError();
        HWND box = WaitForWindow(BOX_CLASS, "ERROR", setup.Handle());
        ASSERT_NE(nullptr, box);
        EXPECT_EQ("管理者権限がありません。", MessageBoxText(box));
        SaveScreenshot(box, "not-administrator");
        EXPECT_EQ(nullptr, FindWindowA(BOX_CLASS, "確認"));
        PressButton(box, IDOK);
        EXPECT_TRUE(setup.WaitForExit());
        EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, setup.ExitCode());
    }
    CloseHandle(token);
    // A quiet line with a folder that cannot be taken ends before the product
    // is asked to close.
    char windows[MAX_PATH];
    EXPECT_TRUE(EndsWithoutAWindow(state.SetupPath(),
                                   state.SetupPath() + " /S /D=" +
                                       std::string(windows, GetWindowsDirectoryA(windows, MAX_PATH)) + "\\VarnX",
                                   ERROR_INVALID_COMMAND_LINE));
    EXPECT_FALSE(product->WaitForExit(0)) << "the product window is not touched";
    EXPECT_NE(nullptr, FindWindowA(NULL, "Varnolt"));
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "UnInstallString")) << "nothing is removed";
    EXPECT_TRUE(FileExists(state.LinkPath(0)));
    EXPECT_TRUE(FileExists(m_folder / "Install\\VarnX.exe"));
}

namespace {

// A window titled "Varnolt" on a thread that stops handling messages.
DWORD WINAPI RunHungProduct(LPVOID release)
{
    HWND window = CreateWindowA("STATIC", "Varnolt", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 50, NULL, NULL, NULL, NULL);
    WaitForSingleObject(static_cast<HANDLE>(release), INFINITE);
    DestroyWindow(window);
    return 0;
}

}

TEST_F(Startup, AHungProductDoesNotHoldSetupForEver)
{
    HANDLE release = CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE thread = CreateThread(NULL, 0, RunHungProduct, release, 0, NULL);
    ASSERT_NE(nullptr, WaitForWindow(NULL, "Varnolt", NULL, 10000));
    {
        ChildProcess setup(SetupCopy(), "Setup.exe /uninstall");
        HWND confirm = WaitForWindow(BOX_CLASS, "確認", setup.Handle(), 30000);
        EXPECT_NE(nullptr, confirm) << "the question comes after a bounded wait";
        if (confirm)
            PressButton(confirm, IDNO);
        EXPECT_TRUE(setup.WaitForExit());
    }
    SetEvent(release);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    CloseHandle(release);
}
