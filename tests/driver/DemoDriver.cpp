// The demo's driver: "walk MEDIA [NAME]" runs MEDIA\Setup.exe, walks the
// four wizard pages with the defaults, finishes with the product started,
// closes it, then runs the uninstall entry's command and answers it,
// photographing every window on the way (as NAME-*, "demo" by default).
// Exits non-zero when a window it waits for does not come.
#include "../../res/resource.h"
#include "../support/InstalledState.h"
#include "../support/WindowDriver.h"
#include "../support/WizardDriver.h"
#include <stdio.h>
#include <string.h>

namespace {

const char BOX_CLASS[] = "#32770";
std::string g_shotName = "demo";

std::string Shot(const char* what) { return g_shotName + "-" + what; }

bool Expect(bool happened, const char* what)
{
    if (!happened)
        fprintf(stderr, "demo: %s did not happen\n", what);
    return happened;
}

HWND ExpectWindow(HWND window, const char* what)
{
    Expect(window != NULL, what);
    return window;
}

int WalkWizard(const std::string& media)
{
    std::string setup = media + "\\Setup.exe";
    ChildProcess process(setup, setup);
    WizardDriver wizard(process.Handle());
    if (!Expect(wizard.WaitForPage(0), "page 1"))
        return 1;
    wizard.ClickControl(IDC_AGREE);
    Sleep(300);
    SaveScreenshot(wizard.Sheet(), Shot("1-agreement"));
    wizard.ClickSheetButton(WIZARD_NEXT);
    if (!Expect(wizard.WaitForPage(1), "page 2"))
        return 1;
    SaveScreenshot(wizard.Sheet(), Shot("2-destination"));
    printf("demo: installing into %s\n", wizard.ControlText(IDC_DESTINATION).c_str());
    if (!Expect(wizard.AcceptDestination(), "page 3"))
        return 1;
    Sleep(600);
    SaveScreenshot(wizard.Sheet(), Shot("3-progress"));
    if (!Expect(wizard.WaitForPage(3), "page 4"))
        return 1;
    SaveScreenshot(wizard.Sheet(), Shot("4-finish"));
    wizard.ClickSheetButton(WIZARD_FINISH);
    HWND product = ExpectWindow(WaitForWindow(NULL, "Varnolt", NULL, 15000), "the product's start");
    if (!product || !process.WaitForExit())
        return 1;
    SaveScreenshot(product, Shot("5-product"));
    PostMessageA(product, WM_CLOSE, 0, 0);
    WaitForWindowGone(product);
    return 0;
}

int WalkRemoval()
{
    std::string command = StringValue(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "UnInstallString").c_str();
    printf("demo: removing with %s\n", command.c_str());
    ChildProcess process("", command);
    HWND confirm = ExpectWindow(WaitForWindow(BOX_CLASS, "確認", process.Handle()), "the confirmation");
    if (!confirm)
        return 1;
    SaveScreenshot(confirm, Shot("6-confirm"));
    PressButton(confirm, IDYES);
    WaitForWindowGone(confirm);

    HWND panel = ExpectWindow(WaitForWindow(BOX_CLASS, "アンインストール中．．．", process.Handle()), "the progress panel");
    if (!panel)
        return 1;
    Sleep(500);
    SaveScreenshot(panel, Shot("7-removing"));

    HWND done = ExpectWindow(WaitForWindow(BOX_CLASS, "確認", process.Handle()), "the final box");
    if (!done)
        return 1;
    SaveScreenshot(done, Shot("8-removed"));
    printf("demo: %s\n", MessageBoxText(done).c_str());
    PressButton(done, IDOK);
    return process.WaitForExit() ? 0 : 1;
}

}

int main(int argc, char** argv)
{
    if ((argc == 3 || argc == 4) && strcmp(argv[1], "walk") == 0) {
        if (argc == 4)
            g_shotName = argv[3];
        RemoveCatalogueItems();
        int failed = WalkWizard(argv[2]);
        return failed ? failed : WalkRemoval();
    }
    fprintf(stderr, "usage: demo_driver walk MEDIA_FOLDER [SCREENSHOT_NAME]\n");
    return 2;
}
