// A DLL planted beside Setup.exe (a download folder, the install folder)
// under any name that Setup.exe loads, or that installers have been
// attacked through, is never loaded by it: the planted DLL's own record
// says so, whatever path the loader reports.
#include "../../res/resource.h"
#include "../support/InstalledState.h"
#include "../support/RemovalDriver.h"
#include "../support/TestFolder.h"
#include "../support/WindowDriver.h"
#include "../support/WizardDriver.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

// What Setup.exe loads by name through a whole install and removal under
// Wine (WINEDEBUG=+loaddll), then the usual names of planting attacks.
const char* const PLANTED_NAMES[] = {
    "kernelbase.dll", "kernel32.dll", "msvcrt.dll", "ucrtbase.dll", "sechost.dll", "advapi32.dll", "zlib1.dll",
    "version.dll", "win32u.dll", "user32.dll", "gdi32.dll", "imm32.dll", "comctl32.dll", "rpcrt4.dll",
    "combase.dll", "ole32.dll", "shcore.dll", "shlwapi.dll", "shell32.dll", "winex11.drv", "uxtheme.dll",
    "msimg32.dll", "oleaut32.dll", "actxprxy.dll", "dwmapi.dll", "cryptbase.dll", "profapi.dll", "userenv.dll",
    "winmm.dll", "msi.dll", "propsys.dll", "cryptsp.dll", "secur32.dll", "netapi32.dll", "wininet.dll",
    "setupapi.dll", "mpr.dll", "linkinfo.dll", "ntshrui.dll", "apphelp.dll", "dbghelp.dll", "wsock32.dll",
    "ws2_32.dll", "iphlpapi.dll", "dnsapi.dll", "riched20.dll", "comdlg32.dll", "wtsapi32.dll",
};
const char RECORD[] = "planted-loaded.txt";

void Plant(const std::string& folder)
{
    CreateDirectoryA(folder.c_str(), NULL);
    for (const char* name : PLANTED_NAMES)
        CopyFileA((TestProgramFolder() + "\\planted_dll.dll").c_str(), (folder + "\\" + name).c_str(), FALSE);
}

// The records that a process of this program name left in the folder.
std::string RecordsOf(const std::string& folder, const std::string& program)
{
    std::string records = ReadFile(folder + "\\" + RECORD), found;
    for (size_t start = 0, end; start < records.size(); start = end + 2) {
        end = records.find("\r\n", start);
        std::string line = records.substr(start, end - start);
        if (line.find("\\" + program + " loaded ") != std::string::npos)
            found += line + "\n";
    }
    return found;
}

}

TEST(PlantedDlls, NoneIsLoadedByAWholeInstallAndRemovalWhereverSetupRuns)
{
    TestFolder media("planted-media");
    TestFolder destination("planted-install");
    const std::string installFolder = destination / "VarnX";
    RemoveCatalogueItems();
    for (const char* name : { "Setup.exe", "VarnX.ex_", "VarnX.dl_", "VarnX.cp_", "Readme.txt" })
        CopyFileA((MediaFolder() + "\\" + name).c_str(), (media / name).c_str(), FALSE);
    Plant(media.Path());
    Plant(installFolder);

    // The control: an ordinary program in the same folder does load some.
    std::string loader = media / "unhardened_loader.exe";
    CopyFileA((TestProgramFolder() + "\\unhardened_loader.exe").c_str(), loader.c_str(), FALSE);
    std::string names;
    for (const char* name : PLANTED_NAMES)
        names += std::string(" ") + name;
    {
        ChildProcess control(loader, loader + names);
        EXPECT_TRUE(control.WaitForExit());
    }
    std::string controlRecords = RecordsOf(media.Path(), "unhardened_loader.exe");
    EXPECT_NE("", controlRecords) << "no name is plantable here: the test could not see a regression";
    printf("plantable under this Wine, by the control:\n%s", controlRecords.c_str());

    // The whole install from the planted media, through the product's start.
    std::string setupPath = media / "Setup.exe";
    {
        ChildProcess setup(setupPath, setupPath);
        WizardDriver wizard(setup.Handle());
        ASSERT_TRUE(wizard.Agree());
        wizard.SetControlText(IDC_DESTINATION, installFolder);
        wizard.ClickSheetButton(WIZARD_NEXT);
        // The folder holds the planted DLLs, so setup asks before taking it.
        HWND question = WaitForWindow("#32770", "確認", setup.Handle());
        ASSERT_NE(nullptr, question);
        PressButton(question, IDYES);
        ASSERT_TRUE(wizard.WaitForPage(3));
        EXPECT_EQ(nullptr, FindWindowA("#32770", "ERROR!"));
        wizard.ClickSheetButton(WIZARD_FINISH);
        EXPECT_TRUE(setup.WaitForExit());
        HWND product = WaitForWindow(NULL, "Varnolt", NULL, 15000);
        EXPECT_NE(nullptr, product) << "the product was started";
        if (product) {
            PostMessageA(product, WM_CLOSE, 0, 0);
            WaitForWindowGone(product);
        }
    }
    EXPECT_TRUE(FileExists(installFolder + "\\Setup.exe"));

    // The whole removal, run from the install folder among the planted DLLs.
    RemovalOutcome removed =
        RunRemoval("", StringValue(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "UnInstallString").c_str(), "planted-removal");
    EXPECT_EQ("Varnolt を削除しました。", removed.text);

    EXPECT_EQ("", RecordsOf(media.Path(), "Setup.exe")) << "loaded from the media folder";
    EXPECT_EQ("", RecordsOf(installFolder, "Setup.exe")) << "loaded from the install folder";
    RemoveCatalogueItems();
}
