// The benchmark's driver: "run MEDIA [NSIS_FLOOR]" times the wizard, the
// quiet install and the removals against their floors and prints medians.
// Figures only; nothing fails.
#include "../../res/resource.h"
#include "../support/InstalledState.h"
#include "../support/TestFolder.h"
#include "../support/WindowDriver.h"
#include "../support/WizardDriver.h"
#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <algorithm>
#include <vector>

namespace {

const char BOX_CLASS[] = "#32770";
const char PAGE1_TITLE[] = "Setup Setps - 情報確認　1 / 4";
const char PAGE3_TITLE[] = "Setup Setps - インストール　 3 / 4";
const char PAGE4_TITLE[] = "Setup Setps - 完了　 4 / 4";

double Now()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return count.QuadPart * 1000.0 / frequency.QuadPart;
}

// Polls tighter than the tests do: the figures are milliseconds.
HWND WaitVisible(const char* className, const char* title, HANDLE process)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < 60000; Sleep(2)) {
        HWND window = FindWindowA(className, title);
        if (window && IsWindowVisible(window))
            return window;
        if (process && WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
            return NULL;
    }
    return NULL;
}

double PeakMegabytes(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    return GetProcessMemoryInfo(process, &counters, sizeof counters) ? counters.PeakWorkingSetSize / 1048576.0 : -1;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

struct Figures
{
    std::vector<double> productWindowMs, productMb, floorMs, floorMb, page1Ms, page1Mb, installMb, installMs,
        removalMs, quietInstallMs, quietRemovalMs, nsisInstallMs;
};

// Process start to end of a program that shows no window; false when it
// fails or does not end.
bool MeasureQuiet(const std::string& program, const std::string& commandLine, std::vector<double>& ms)
{
    double start = Now();
    ChildProcess process(program, commandLine);
    if (!process.WaitForExit())
        return false;
    ms.push_back(Now() - start);
    return process.ExitCode() == 0;
}

// Setup.exe's quiet install and removal, and another installer's silent
// install of the same files, uninstalled again unmeasured.
bool MeasureQuietOnce(const std::string& media, const std::string& nsisFloor, Figures& figures)
{
    RemoveCatalogueItems();
    std::string setupPath = media + "\\Setup.exe";
    if (!MeasureQuiet(setupPath, setupPath + " /S", figures.quietInstallMs))
        return false;
    std::string quietRemoval = StringValue(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "QuietUninstallString").c_str();
    if (!MeasureQuiet("", quietRemoval, figures.quietRemovalMs))
        return false;
    if (nsisFloor.empty())
        return true;
    if (!MeasureQuiet(nsisFloor, nsisFloor + " /S", figures.nsisInstallMs))
        return false;
    char programFiles[MAX_PATH] = "";
    GetEnvironmentVariableA("ProgramW6432", programFiles, MAX_PATH);
    std::string uninstaller = std::string(programFiles) + "\\NsisFloor\\uninstall.exe";
    ChildProcess uninstall(uninstaller, "\"" + uninstaller + "\" /S");
    uninstall.WaitForExit();
    return true;
}

// Starts a program, times it to its window and takes its peak memory, then
// closes it.
bool MeasureWindow(const std::string& program, const char* className, const char* title, std::vector<double>& ms,
                   std::vector<double>& mb)
{
    double start = Now();
    ChildProcess process(program, program);
    HWND window = WaitVisible(className, title, process.Handle());
    if (!window)
        return false;
    ms.push_back(Now() - start);
    mb.push_back(PeakMegabytes(process.Handle()));
    PostMessageA(window, WM_CLOSE, 0, 0);
    return process.WaitForExit();
}

bool MeasureOnce(const std::string& media, const std::string& product, Figures& figures)
{
    if (!MeasureWindow(product, NULL, "Varnolt", figures.productWindowMs, figures.productMb) ||
        !MeasureWindow(TestProgramFolder() + "\\wizard_floor.exe", BOX_CLASS, "Wizard floor", figures.floorMs,
                       figures.floorMb))
        return false;

    RemoveCatalogueItems();
    std::string setupPath = media + "\\Setup.exe";
    double start = Now();
    ChildProcess setup(setupPath, setupPath);
    if (!WaitVisible(BOX_CLASS, PAGE1_TITLE, setup.Handle()))
        return false;
    figures.page1Ms.push_back(Now() - start);
    figures.page1Mb.push_back(PeakMegabytes(setup.Handle()));

    WizardDriver wizard(setup.Handle());
    wizard.Agree();
    wizard.AcceptDestination();
    if (!WaitVisible(BOX_CLASS, PAGE3_TITLE, setup.Handle()))
        return false;
    double page3 = Now();
    if (!WaitVisible(BOX_CLASS, PAGE4_TITLE, setup.Handle()))
        return false;
    figures.installMs.push_back(Now() - page3);
    wizard.WaitForPage(3);
    figures.installMb.push_back(PeakMegabytes(setup.Handle()));
    wizard.ClickControl(IDC_LAUNCH_PRODUCT);
    Sleep(200);
    wizard.ClickSheetButton(WIZARD_FINISH);
    setup.WaitForExit();

    ChildProcess removal("", StringValue(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "UnInstallString").c_str());
    HWND confirm = WaitVisible(BOX_CLASS, "確認", removal.Handle());
    if (!confirm)
        return false;
    double yes = Now();
    PostMessageA(GetDlgItem(confirm, IDYES), BM_CLICK, 0, 0);
    WaitForWindowGone(confirm);
    HWND done = WaitVisible(BOX_CLASS, "確認", removal.Handle());
    if (!done)
        return false;
    figures.removalMs.push_back(Now() - yes);
    PostMessageA(GetDlgItem(done, IDOK), BM_CLICK, 0, 0);
    return removal.WaitForExit();
}

void Print(const char* what, double value, const char* unit, const char* floorName, double floor)
{
    printf("%-44s %8.1f %s   %-28s %8.1f %s   ratio %.2f, above floor %+.1f %s\n", what, value, unit, floorName,
           floor, unit, floor ? value / floor : 0, value - floor, unit);
}

}

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4 || strcmp(argv[1], "run") != 0) {
        fprintf(stderr, "usage: benchmark_driver run MEDIA_FOLDER [NSIS_FLOOR]\n");
        return 2;
    }
    std::string media = argv[2];
    std::string nsisFloor = argc == 4 ? argv[3] : "";
    TestFolder folder("benchmark");
    std::string product = folder / "VarnX.exe";
    CopyFileA((media + "\\VarnX.ex_").c_str(), product.c_str(), FALSE);

    Figures figures;
    int runs = atoi(getenv("BENCHMARK_RUNS") ? getenv("BENCHMARK_RUNS") : "5");
    for (int run = 0; run < runs; ++run)
        if (!MeasureOnce(media, product, figures) || !MeasureQuietOnce(media, nsisFloor, figures))
            fprintf(stderr, "benchmark: run %d did not complete\n", run + 1);
    RemoveCatalogueItems();

    printf("medians of %d runs\n", runs);
    double productMs = Median(figures.productWindowMs), productMb = Median(figures.productMb);
    double page1Ms = Median(figures.page1Ms), page1Mb = Median(figures.page1Mb);
    Print("start to page 1 on the screen", page1Ms, "ms", "stand-in to its window", productMs);
    Print("", page1Ms, "ms", "one-page wizard to its page", Median(figures.floorMs));
    Print("peak memory on page 1", page1Mb, "MB", "stand-in's peak", productMb);
    Print("", page1Mb, "MB", "one-page wizard's peak", Median(figures.floorMb));
    Print("peak memory over the whole install", Median(figures.installMb), "MB", "stand-in's peak", productMb);
    Print("install, page 3 shown to page 4 shown", Median(figures.installMs), "ms", "timer and 13 pauses", 1800);
    Print("removal, Yes to the final box", Median(figures.removalMs), "ms", "15 pauses", 1500);
    Print("quiet install (/S), start to end", Median(figures.quietInstallMs), "ms", "NSIS /S, same files",
          Median(figures.nsisInstallMs));
    Print("", Median(figures.quietInstallMs), "ms", "wizard's install (page 3)", Median(figures.installMs));
    Print("quiet removal (/S /uninstall), start to end", Median(figures.quietRemovalMs), "ms", "wizard's removal",
          Median(figures.removalMs));
    return 0;
}
