// One Varnolt per machine across both builds, where both run: 64-bit
// Windows with its 32-bit side (the WOW64 run of the 32-bit build's tests,
// which finds the 64-bit build beside its own). Each build installs; the
// other build's setup then installs nothing, quietly or in the wizard, and
// its removal leaves the install of the other registry view whole.
#include "../../res/resource.h"
#include "../support/InstalledState.h"
#include "../support/TestFolder.h"
#include "../support/WindowDriver.h"
#include "../support/WizardDriver.h"
#include <gtest/gtest.h>

namespace {

const char BOX_CLASS[] = "#32770";

// The 64-bit build's media: scripts/configure puts the two builds side by side.
std::string Media64Folder()
{
    std::string build32 = MediaFolder().substr(0, MediaFolder().rfind('\\'));
    return build32.substr(0, build32.rfind('\\')) + "\\build\\media";
}

class OneVarnoltPerMachine : public testing::Test
{
protected:
    OneVarnoltPerMachine() : m_root("one-varnolt") { RemoveCatalogueItems(); }
    ~OneVarnoltPerMachine() { RemoveCatalogueItems(); }

    // A copy of a build's media; the path of its Setup.exe.
    std::string CopyMedia(const std::string& media, const std::string& name)
    {
        const std::string copy = m_root / name;
        CreateDirectoryA(copy.c_str(), NULL);
        for (const char* file : { "Setup.exe", "VarnX.ex_", "VarnX.dl_", "VarnX.cp_", "Readme.txt" })
            CopyFileA((media + "\\" + file).c_str(), (copy + "\\" + file).c_str(), FALSE);
        return copy + "\\Setup.exe";
    }

    // The install in installFolder whose keys are in the registry view given,
    // whole: its program, its system folder's applet, its key, its links.
    void ExpectInstalled(const std::string& installFolder, const std::string& systemFolder, REGSAM view)
    {
        EXPECT_TRUE(FileExists(installFolder + "\\VarnX.exe"));
        EXPECT_TRUE(FileExists(systemFolder + "\\VarnX.cpl"));
        EXPECT_EQ(installFolder + "\\VarnX.exe" + '\0', StringValue(HKEY_LOCAL_MACHINE, PRODUCT_KEY, "Exe-Path", view));
        for (const char* link : LINK_NAMES)
            EXPECT_TRUE(FileExists(CommonProgramsFolder() + "\\Varnolt\\" + link)) << link;
    }

    // The setup of the build that is not installed, with the other build's
    // install in installedFolder: the quiet install ends with 1638, its log
    // naming that folder; the wizard's page 2 proposes that folder and
    // refuses it with the box that names it; the removal leaves it whole.
    void ExpectRefusedBeside(const std::string& setup, const std::string& installedFolder,
                             const std::string& installedSystemFolder, REGSAM installedView, const std::string& shot)
    {
        const std::string log = m_root / "refused.txt";
        EXPECT_TRUE(EndsWithoutAWindow(setup, setup + " /S /LOG=\"" + log + "\"", ERROR_PRODUCT_VERSION, 30000));
        const std::string box = "Varnolt は既に次のフォルダにインストールされています。\n\n" + installedFolder +
                                "\n\n別のフォルダにインストールするには、先に Varnolt を削除してください。";
        EXPECT_EQ(WithCrLf("[ERROR]\n" + box + "\n終了コード：1638\n"), ReadFile(log));
        EXPECT_TRUE(EndsWithoutAWindow(setup, setup + " /S /D=" + (m_root / "Elsewhere"), ERROR_PRODUCT_VERSION, 30000));

        ChildProcess wizardProcess(setup, setup);
        WizardDriver wizard(wizardProcess.Handle());
        ASSERT_TRUE(wizard.Agree());
        EXPECT_EQ(installedFolder, wizard.ControlText(IDC_DESTINATION));
        wizard.PressButton(PSBTN_NEXT);
        HWND refusal = WaitForWindow(BOX_CLASS, "ERROR", wizardProcess.Handle(), 10000);
        ASSERT_NE(nullptr, refusal);
        EXPECT_EQ(box, MessageBoxText(refusal));
        SaveScreenshot(refusal, "other-build-installed-" + shot);
        PressButton(refusal, IDOK);
        EXPECT_TRUE(WaitForWindowGone(refusal));
        Sleep(500);
        EXPECT_EQ(1, wizard.CurrentPage());
        wizard.ClickSheetButton(WIZARD_CANCEL);
        EXPECT_TRUE(wizardProcess.WaitForExit());
        EXPECT_EQ((DWORD)ERROR_INSTALL_USEREXIT, wizardProcess.ExitCode());

        // Nothing of its own to remove (1605); the other's stays.
        EXPECT_TRUE(EndsWithoutAWindow(setup, setup + " /S /uninstall", ERROR_UNKNOWN_PRODUCT, 30000));
        ExpectInstalled(installedFolder, installedSystemFolder, installedView);
        EXPECT_FALSE(FolderExists(m_root / "Elsewhere"));
    }

    TestFolder m_root;
};

}

TEST_F(OneVarnoltPerMachine, EachBuildInstallsNothingBesideTheOthersAndRemovesOnlyItsOwn)
{
    if (!RunsUnderWow64())
        GTEST_SKIP() << "both builds run only on 64-bit Windows with its 32-bit side";
    ASSERT_TRUE(FileExists(Media64Folder() + "\\Setup.exe")) << "the 64-bit build beside this one";
    const std::string setup64 = CopyMedia(Media64Folder(), "media64"), setup32 = CopyMedia(MediaFolder(), "media32");
    const std::string folder64 = m_root / "VarnX 64", folder32 = m_root / "VarnX 32";

    ASSERT_TRUE(EndsWithoutAWindow(setup64, setup64 + " /S /D=" + folder64, ERROR_SUCCESS, 60000));
    ExpectInstalled(folder64, NativeSystemFolder(), OtherView());
    // Its folder's drive gone (a disk unplugged): it still counts, and its
    // links stay.
    SetStringValue(HKEY_LOCAL_MACHINE, PRODUCT_KEY, "Exe-Path", "Q:\\VarnX\\VarnX.exe", OtherView());
    EXPECT_TRUE(EndsWithoutAWindow(setup32, setup32 + " /S /uninstall", ERROR_UNKNOWN_PRODUCT, 30000));
    EXPECT_TRUE(EndsWithoutAWindow(setup32, setup32 + " /S", ERROR_PRODUCT_VERSION, 30000));
    SetStringValue(HKEY_LOCAL_MACHINE, PRODUCT_KEY, "Exe-Path", folder64 + "\\VarnX.exe", OtherView());
    ExpectRefusedBeside(setup32, folder64, NativeSystemFolder(), OtherView(), "32-bit");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY)) << "nothing in the 32-bit view";
    EXPECT_FALSE(FileExists(SystemFilesFolder() + "\\VarnX.cpl")) << "nothing in SysWOW64";
    const std::string removal64 = StringValue(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "QuietUninstallString", OtherView());
    EXPECT_TRUE(EndsWithoutAWindow("", removal64.c_str(), ERROR_SUCCESS, 60000));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, PRODUCT_KEY, OtherView()));
    EXPECT_FALSE(FileExists(NativeSystemFolder() + "\\VarnX.cpl"));

    ASSERT_TRUE(EndsWithoutAWindow(setup32, setup32 + " /S /D=" + folder32, ERROR_SUCCESS, 60000));
    ExpectInstalled(folder32, SystemFilesFolder(), ProgramView());
    ExpectRefusedBeside(setup64, folder32, SystemFilesFolder(), ProgramView(), "64-bit");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, OtherView())) << "nothing in the 64-bit view";
    EXPECT_FALSE(FileExists(NativeSystemFolder() + "\\VarnX.cpl")) << "nothing in the 64-bit system folder";
    const std::string removal32 = StringValue(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "QuietUninstallString");
    EXPECT_TRUE(EndsWithoutAWindow("", removal32.c_str(), ERROR_SUCCESS, 60000));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, PRODUCT_KEY));
    EXPECT_FALSE(FileExists(SystemFilesFolder() + "\\VarnX.cpl"));
}
