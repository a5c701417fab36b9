// The demo's driver. "prepare FOLDER" lays out an installed Varnolt in
// FOLDER; "walk FOLDER" does that, runs FOLDER\Setup.exe /uninstall, answers
// it and photographs every window on the way.
#include "../support/InstalledState.h"
#include "../support/TestFolder.h"
#include "../support/WindowDriver.h"
#include <stdio.h>
#include <string.h>

namespace {

const char BOX_CLASS[] = "#32770";

HWND Expect(HWND window, const char* what)
{
    if (!window)
        fprintf(stderr, "demo: no %s appeared\n", what);
    return window;
}

int Walk(const std::string& installFolder)
{
    MakeInstalledState(installFolder);
    std::string setup = installFolder + "\\Setup.exe";
    ChildProcess process(setup, setup + " /uninstall");
    HWND confirm = Expect(WaitForWindow(BOX_CLASS, "確認", process.Handle()), "confirmation");
    if (!confirm)
        return 1;
    SaveScreenshot(confirm, "demo-1-confirm");
    PressButton(confirm, IDYES);
    WaitForWindowGone(confirm);

    HWND panel = Expect(WaitForWindow(BOX_CLASS, "アンインストール中．．．", process.Handle()), "progress panel");
    if (!panel)
        return 1;
    Sleep(500);
    SaveScreenshot(panel, "demo-2-progress");

    HWND done = Expect(WaitForWindow(BOX_CLASS, "確認", process.Handle()), "final box");
    if (!done)
        return 1;
    SaveScreenshot(done, "demo-3-done");
    printf("demo: %s\n", MessageBoxText(done).c_str());
    PressButton(done, IDOK);
    return process.WaitForExit() ? 0 : 1;
}

}

int main(int argc, char** argv)
{
    if (argc == 3 && strcmp(argv[1], "prepare") == 0) {
        MakeInstalledState(argv[2]);
        return 0;
    }
    if (argc == 3 && strcmp(argv[1], "walk") == 0)
        return Walk(argv[2]);
    fprintf(stderr, "usage: demo_driver prepare|walk INSTALL_FOLDER\n");
    return 2;
}
