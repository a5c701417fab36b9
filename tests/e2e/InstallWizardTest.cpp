// The real Setup.exe started from a media folder, walked through its four
// pages by a driver, then the machine checked; and the removal that the
// uninstall entry starts, run against what the wizard installed.
#include "../../res/resource.h"
#include "../support/InstalledState.h"
#include "../support/RemovalDriver.h"
#include "../support/TestFolder.h"
#include "../support/WindowDriver.h"
#include "../support/WizardDriver.h"
#include <commctrl.h>
#include <shlobj.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <tuple>

namespace {

const char BOX_CLASS[] = "#32770";
const char* const MEDIA_FILES[] = { "Setup.exe", "VarnX.ex_", "VarnX.dl_", "VarnX.cp_", "Readme.txt" };

struct InstalledFile
{
    const char* source;
    bool inSystemFolder;
    const char* target;
};
const InstalledFile INSTALLED_FILES[] = {
    { "VarnX.dl_", false, "VarnX.dll" }, { "VarnX.ex_", false, "VarnX.exe" }, { "Setup.exe", false, "Setup.exe" },
    { "Readme.txt", false, "Readme.txt" }, { "VarnX.cp_", true, "VarnX.cpl" }, { "VarnX.dl_", true, "VarnX.dll" },
};

// Where the file lies once installed: the system folder's rows where the
// program's system folder leads (SysWOW64 under WOW64).
std::string InstalledPath(const InstalledFile& file, const std::string& installFolder)
{
    return (file.inSystemFolder ? SystemFilesFolder() : installFolder) + "\\" + file.target;
}

// The shell's Program Files of the program's own view.
std::string DefaultDestination()
{
    char programFiles[MAX_PATH] = "";
    SHGetSpecialFolderPathA(NULL, programFiles, CSIDL_PROGRAM_FILES, FALSE);
    return std::string(programFiles) + "\\VarnX";
}

int CountProductWindows()
{
    int count = 0;
    for (HWND window = NULL; (window = FindWindowExA(NULL, window, NULL, "Varnolt")) != NULL;)
        ++count;
    return count;
}

void CloseProductWindows()
{
    for (HWND window; (window = FindWindowA(NULL, "Varnolt")) != NULL;) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        WaitForWindowGone(window, 10000);
    }
}

// The display's scale for the programs started while it lives: Wine reads
// LogPixels when a process starts. The value the prefix had comes back after.
class DisplayScale
{
public:
    explicit DisplayScale(DWORD dpi)
    {
        DWORD size = sizeof m_previous;
        m_hadValue = RegGetValueA(HKEY_CURRENT_USER, DESKTOP_KEY, "LogPixels", RRF_RT_REG_DWORD, NULL, &m_previous,
                                  &size) == ERROR_SUCCESS;
        RegSetKeyValueA(HKEY_CURRENT_USER, DESKTOP_KEY, "LogPixels", REG_DWORD, &dpi, sizeof dpi);
    }
    ~DisplayScale()
    {
        if (m_hadValue)
            RegSetKeyValueA(HKEY_CURRENT_USER, DESKTOP_KEY, "LogPixels", REG_DWORD, &m_previous, sizeof m_previous);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, DESKTOP_KEY, "LogPixels");
    }

private:
    static constexpr const char* DESKTOP_KEY = "Control Panel\\Desktop";
    DWORD m_previous = 0;
    bool m_hadValue;
};

// A dialog unit of the pages at `dpi`, as the dialog manager measures their
// font (ＭＳ Ｐゴシック, 9 points): a quarter of the alphabet's mean width
// across, an eighth of the font's height down.
SIZE PageBaseUnits(int dpi)
{
    HDC dc = CreateCompatibleDC(NULL);
    HFONT font = CreateFontA(-MulDiv(9, dpi, 72), 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                             PROOF_QUALITY, FF_DONTCARE, "ＭＳ Ｐゴシック");
    HGDIOBJ old = SelectObject(dc, font);
    SIZE alphabet = {};
    GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &alphabet);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return { (alphabet.cx / 26 + 1) / 2, metrics.tmHeight };
}

// The strip's frame in each page's template, in dialog units.
const RECT STRIP_FRAMES[] = { { 0, 0, 41, 153 }, { 0, 0, 41, 135 }, { 0, 0, 41, 135 }, { 0, 0, 41, 135 } };

// Every visible control of the sheet and its current page: no access key is
// used twice, every button of the page has one, every control of the page
// lies inside it, and the page inside the sheet. The strip fills the frame
// its template gives it at the display's scale, as far as the page shows it:
// the sheet sizes the pages in units of its own font, and may make one a
// pixel shorter than its template.
void ExpectWellFormedPage(const WizardDriver& wizard, int dpi)
{
    struct Walk
    {
        HWND page;
        RECT pageRect;
        std::string keys;
    } walk = { wizard.CurrentPageWindow(), {}, "" };
    GetWindowRect(walk.page, &walk.pageRect);
    RECT sheet, inside;
    GetWindowRect(wizard.Sheet(), &sheet);
    EXPECT_TRUE(IntersectRect(&inside, &walk.pageRect, &sheet) && EqualRect(&inside, &walk.pageRect));
    EnumChildWindows(
        wizard.Sheet(),
        [](HWND control, LPARAM data) CALLBACK -> BOOL {
            Walk& walk = *reinterpret_cast<Walk*>(data);
            char className[32] = "";
            GetClassNameA(control, className, sizeof className);
            std::string text = WindowText(control);
            size_t amp = text.find('&');
            bool onPage = IsWindowVisible(control) && GetParent(control) == walk.page;
            if (IsWindowVisible(control) && amp != std::string::npos && amp + 1 < text.size())
                walk.keys += (char)toupper((unsigned char)text[amp + 1]);
            else if (onPage && !lstrcmpiA(className, "Button"))
                ADD_FAILURE() << "no access key: " << text;
            RECT rect, inside;
            GetWindowRect(control, &rect);
            EXPECT_TRUE(!onPage || (IntersectRect(&inside, &rect, &walk.pageRect) && EqualRect(&inside, &rect)))
                << "beyond its page: " << className << " " << text;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
    for (char key : walk.keys)
        EXPECT_EQ(1, std::count(walk.keys.begin(), walk.keys.end(), key)) << "Alt+" << key << " in " << walk.keys;

    SIZE unit = PageBaseUnits(dpi);
    const RECT& inTemplate = STRIP_FRAMES[wizard.CurrentPage()];
    RECT frame = { MulDiv(inTemplate.left, unit.cx, 4), MulDiv(inTemplate.top, unit.cy, 8),
                   MulDiv(inTemplate.right, unit.cx, 4), MulDiv(inTemplate.bottom, unit.cy, 8) };
    RECT page = {}, shown = {};
    GetClientRect(walk.page, &page);
    IntersectRect(&shown, &frame, &page);
    EXPECT_LE(frame.bottom - shown.bottom, 1) << "the page's height at " << dpi << " dpi: " << page.bottom;
    RECT strip = {};
    GetWindowRect(GetDlgItem(walk.page, IDC_STRIP), &strip);
    MapWindowPoints(NULL, walk.page, reinterpret_cast<POINT*>(&strip), 2);
    auto corners = [](const RECT& rect) { return std::make_tuple(rect.left, rect.top, rect.right, rect.bottom); };
    EXPECT_EQ(corners(shown), corners(strip)) << "the strip's frame at " << dpi << " dpi";
}

class InstallWizard : public testing::Test
{
protected:
    InstallWizard() : m_root("wizard"), m_media(m_root / "media")
    {
        CreateDirectoryA(m_media.c_str(), NULL);
        for (const char* name : MEDIA_FILES)
            CopyFileA((MediaFolder() + "\\" + name).c_str(), (m_media + "\\" + name).c_str(), FALSE);
        RemoveCatalogueItems();
    }
    ~InstallWizard()
    {
        CloseProductWindows();
        RemoveCatalogueItems();
    }

    // Starts Setup.exe from the media and waits for page 1.
    std::unique_ptr<ChildProcess> StartSetup()
    {
        std::string setup = m_media + "\\Setup.exe";
        std::unique_ptr<ChildProcess> process(new ChildProcess(setup, setup));
        EXPECT_TRUE(process->Started());
        return process;
    }

    // Every file where the catalogue puts it (but those of a name that was
    // not installed), byte for byte as the build laid it out and writable;
    // the three values with the folder filled in.
    void ExpectInstalledFiles(const std::string& installFolder, const std::string& notInstalled = "")
    {
        for (const InstalledFile& file : INSTALLED_FILES) {
            std::string target = InstalledPath(file, installFolder);
            if (file.inSystemFolder && NativeSystemFolder() != SystemFilesFolder()) {
                EXPECT_FALSE(FileExists(NativeSystemFolder() + "\\" + file.target)) << "in the 64-bit system folder";
            }
            if (notInstalled == file.target)
                continue;
            EXPECT_EQ(ReadFile(MediaFolder() + "\\" + file.source), ReadFile(target)) << target;
            EXPECT_FALSE(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_READONLY) << target;
        }
        // In the program's own registry view only, and in the Apps list.
        if (OtherView()) {
            EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, OtherView()));
            EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, PRODUCT_KEY, OtherView()));
        }
        EXPECT_NE(std::string::npos, AppsList().find("Varnoltix|||Varnolt 2.0"));
        EXPECT_EQ("\"" + installFolder + "\\Setup.exe\" /uninstall" + std::string(1, '\0'),
                  StringValue(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "UnInstallString"));
        EXPECT_EQ(std::string("Varnolt 2.0") + '\0', StringValue(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "DisplayName"));
        EXPECT_EQ(installFolder + "\\VarnX.exe" + '\0', StringValue(HKEY_LOCAL_MACHINE, PRODUCT_KEY, "Exe-Path"));

        // What Windows' list of programs shows.
        SYSTEMTIME today;
        GetLocalTime(&today);
        char date[9];
        snprintf(date, sizeof date, "%04u%02u%02u", today.wYear, today.wMonth, today.wDay);
        DWORD bytes = 0;
        for (const InstalledFile& file : INSTALLED_FILES)
            bytes += ReadFile(InstalledPath(file, installFolder)).size();
        const std::pair<const char*, std::string> texts[] = {
            { "QuietUninstallString", "\"" + installFolder + "\\Setup.exe\" /S /uninstall" },
            { "DisplayIcon", installFolder + "\\VarnX.exe" }, { "DisplayVersion", "2.0" }, { "Publisher", "QUORLEN" },
            { "InstallLocation", installFolder }, { "InstallDate", date },
        };
        for (const auto& value : texts)
            EXPECT_EQ(value.second + '\0', StringValue(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, value.first)) << value.first;
        const std::pair<const char*, DWORD> numbers[] = { { "EstimatedSize", (bytes + 1023) / 1024 },
                                                           { "NoModify", 1 }, { "NoRepair", 1 } };
        for (const auto& value : numbers) {
            DWORD number = 0, size = sizeof number;
            EXPECT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, value.first, RRF_RT_REG_DWORD, NULL,
                                                  &number, &size))
                << value.first;
            EXPECT_EQ(value.second, number) << value.first;
        }
    }

    // Nothing that a run writes first or moves aside is left beside a file.
    void ExpectNothingBeside(const std::string& installFolder)
    {
        for (const InstalledFile& file : INSTALLED_FILES)
            EXPECT_EQ(std::vector<std::string>(), FilesBeside(InstalledPath(file, installFolder)));
    }

    // A removal leaves Setup.exe alone of the files, to run removals.
    void ExpectOnlySetupLeft(const std::string& installFolder)
    {
        for (const InstalledFile& file : INSTALLED_FILES)
            EXPECT_EQ(file.source == std::string("Setup.exe"), FileExists(InstalledPath(file, installFolder)))
                << file.target;
    }

    // The four links, read back through the shell's link object.
    void ExpectLinks(const std::string& installFolder)
    {
        const struct
        {
            const char* name;
            std::string target;
            const char* arguments;
            const char* description;
        } links[] = {
            { "Varnolt.lnk", installFolder + "\\VarnX.exe", "", "Varnolt 本体" },
            { "Varnolt の設定.lnk", SystemFilesFolder() + "\\control.exe", "VarnX.cpl", "Varnolt の設定を行います" },
            { "Varnolt の削除.lnk", installFolder + "\\Setup.exe", "/uninstall", "Varnolt の削除します" },
            { "Readme.lnk", installFolder + "\\Readme.txt", "", "Varnolt の説明テキスト" },
        };
        for (const auto& expected : links) {
            LinkProperties link;
            ASSERT_TRUE(LoadLink(CommonProgramsFolder() + "\\Varnolt\\" + expected.name, link)) << expected.name;
            EXPECT_STRCASEEQ(expected.target.c_str(), link.target.c_str()) << expected.name;
            EXPECT_EQ(expected.arguments, link.arguments) << expected.name;
            EXPECT_EQ(expected.description, link.description) << expected.name;
            EXPECT_EQ("", link.workingDirectory) << expected.name;
            EXPECT_EQ(SW_SHOWNORMAL, link.showCommand) << expected.name;
        }
    }

    TestFolder m_root;
    std::string m_media;
};

// A C:\Program.exe that records being started, for the life of a test.
class PlantedProgramExe
{
public:
    PlantedProgramExe() : m_path(SystemFolder().substr(0, 3) + "Program.exe")
    {
        CopyFileA((TestProgramFolder() + "\\start_recorder.exe").c_str(), m_path.c_str(), FALSE);
        DeleteFileA(Record().c_str());
    }
    ~PlantedProgramExe()
    {
        DeleteFileA(m_path.c_str());
        DeleteFileA(Record().c_str());
    }
    std::string Record() const { return m_path + ".started"; }
    bool WasStarted(DWORD waitMs)
    {
        for (DWORD start = GetTickCount(); GetTickCount() - start < waitMs; Sleep(50))
            if (FileExists(Record()))
                return true;
        return FileExists(Record());
    }

private:
    std::string m_path;
};

// The four-page walk at 100 %, 150 % and 200 %.
class InstallWizardAtScale : public InstallWizard, public testing::WithParamInterface<int>
{
protected:
    InstallWizardAtScale() : m_scale(GetParam()) {}
    std::string Shot(const std::string& name) const { return name + "-" + std::to_string(GetParam()) + "dpi"; }

    DisplayScale m_scale;
};

}

TEST_P(InstallWizardAtScale, FourPagesInstallEverythingAndTheUninstallEntryRemovesIt)
{
    // A destination with spaces and ソ (0x83 0x5C), below "C:\Program Files".
    const std::string installParent = SystemFolder().substr(0, 3) + "Program Files\\Varnolt テスト ソ";
    const std::string installFolder = installParent + "\\VarnX";
    RemoveTree(installParent);
    PlantedProgramExe planted;
    // The plant works: an unquoted line with spaces starts it.
    {
        ChildProcess unquoted("", installFolder + "\\VarnX.exe");
        ASSERT_TRUE(planted.WasStarted(10000)) << "C:\\Program.exe is not reached; the test could not see the fault";
        // The record is deleted once the recorder has let go of it.
        unquoted.WaitForExit();
        DeleteFileA(planted.Record().c_str());
    }

    std::unique_ptr<ChildProcess> setup = StartSetup();
    WizardDriver wizard(setup->Handle());

    // Page 1: the readme, whose lines end in CR LF; Next only while agreeing.
    ASSERT_TRUE(wizard.WaitForPage(0));
    // A second setup, in either mode, hands over to this one and ends.
    const std::string setupPath = m_media + "\\Setup.exe";
    EXPECT_TRUE(EndsWithoutAWindow(setupPath, setupPath, ERROR_INSTALL_ALREADY_RUNNING));
    EXPECT_TRUE(EndsWithoutAWindow(setupPath, setupPath + " /uninstall", ERROR_INSTALL_ALREADY_RUNNING));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY)) << "nothing touched";
    // The running program's file cannot be swapped for another: the install
    // folder gets the program that runs.
    EXPECT_FALSE(MoveFileA(setupPath.c_str(), (m_media + "\\Setup.old").c_str()));
    EXPECT_FALSE(DeleteFileA(setupPath.c_str()));
    EXPECT_FALSE(CopyFileA((m_media + "\\VarnX.ex_").c_str(), setupPath.c_str(), FALSE));
    EXPECT_EQ(ReadFile(m_media + "\\Readme.txt"), wizard.ControlText(IDC_README));
    EXPECT_FALSE(wizard.ButtonEnabled(WIZARD_BACK));
    EXPECT_FALSE(wizard.ButtonEnabled(WIZARD_NEXT));
    EXPECT_FALSE(wizard.ButtonEnabled(WIZARD_FINISH));
    EXPECT_FALSE(wizard.ButtonEnabled(WIZARD_HELP)) << "no Help button";
    EXPECT_TRUE(wizard.ButtonEnabled(WIZARD_CANCEL));
    wizard.ClickControl(IDC_AGREE);
    Sleep(300);
    EXPECT_TRUE(wizard.ButtonEnabled(WIZARD_NEXT));
    wizard.ClickControl(IDC_DISAGREE);
    Sleep(300);
    EXPECT_FALSE(wizard.ButtonEnabled(WIZARD_NEXT));
    wizard.ClickControl(IDC_AGREE);
    Sleep(300);
    EXPECT_TRUE(wizard.ButtonEnabled(WIZARD_NEXT));
    ExpectWellFormedPage(wizard, GetParam());
    SaveScreenshot(wizard.Sheet(), Shot("wizard-1-agreement"));
    wizard.ClickSheetButton(WIZARD_NEXT);

    // Page 2: the default, Back and forth, refill, collapse, browse.
    ASSERT_TRUE(wizard.WaitForPage(1));
    EXPECT_EQ(DefaultDestination(), wizard.ControlText(IDC_DESTINATION));
    EXPECT_TRUE(wizard.Checked(IDC_CREATE_SHORTCUTS));
    EXPECT_TRUE(wizard.ButtonEnabled(WIZARD_BACK));
    EXPECT_TRUE(wizard.ButtonEnabled(WIZARD_NEXT));
    ExpectWellFormedPage(wizard, GetParam());
    SaveScreenshot(wizard.Sheet(), Shot("wizard-2-destination"));
    wizard.ClickSheetButton(WIZARD_BACK);
    ASSERT_TRUE(wizard.WaitForPage(0));
    EXPECT_TRUE(wizard.ButtonEnabled(WIZARD_NEXT)) << "the agreement is still chosen";
    wizard.ClickSheetButton(WIZARD_NEXT);
    ASSERT_TRUE(wizard.WaitForPage(1));

    wizard.Focus(IDC_DESTINATION);
    wizard.SetControlText(IDC_DESTINATION, "");
    wizard.PressButton(PSBTN_NEXT);
    Sleep(500);
    EXPECT_EQ(1, wizard.CurrentPage()) << "an empty destination stays on page 2";
    wizard.Focus(IDC_CREATE_SHORTCUTS);
    EXPECT_EQ(DefaultDestination(), wizard.ControlText(IDC_DESTINATION)) << "refilled on leaving the box";

    const std::pair<std::string, std::string> collapsed[] = {
        { "C:\\\\Apps\\\\\\\\VarnX", "C:\\Apps\\\\VarnX" },
        { "\\\\server\\share\\\\VarnX", "\\\\server\\share\\VarnX" },
        { "C:/Apps//VarnX/", "C:\\Apps\\VarnX\\" },
        { installParent + "\\VarnX", installParent + "\\VarnX" },
    };
    for (const auto& typed : collapsed) {
        wizard.Focus(IDC_DESTINATION);
        wizard.SetControlText(IDC_DESTINATION, typed.first);
        wizard.Focus(IDC_CREATE_SHORTCUTS);
        EXPECT_EQ(typed.second, wizard.ControlText(IDC_DESTINATION)) << typed.first;
    }

    // A folder the prefix was made with: Wine's browser does not find one
    // that a test makes while the shell runs.
    const std::string browsed = SystemFolder().substr(0, 3) + "Program Files\\Common Files";
    wizard.ClickControl(IDC_BROWSE);
    ASSERT_TRUE(wizard.ChooseFolder(browsed));
    EXPECT_EQ(browsed + "\\VarnX", wizard.ControlText(IDC_DESTINATION));
    wizard.ClickControl(IDC_BROWSE);
    ASSERT_TRUE(wizard.ChooseFolder("C:\\"));
    EXPECT_EQ("C:\\VarnX", wizard.ControlText(IDC_DESTINATION)) << "a drive root gives one backslash";

    // The folder exists by now, with a file of the user's, so setup asks;
    // it is typed with a trailing backslash, which stops at page 2. (Made
    // only now: Wine's browser loses its way among folders made meanwhile.)
    // Typed by the short name of Program Files: asked, and installed, by the
    // long one. No keeps page 2, Yes goes on.
    CreateDirectoryA(installParent.c_str(), NULL);
    CreateDirectoryA(installFolder.c_str(), NULL);
    WriteFile(installFolder + "\\notes.txt", "the user's own");
    char shortParent[MAX_PATH];
    ASSERT_TRUE(GetShortPathNameA(installParent.c_str(), shortParent, MAX_PATH));
    wizard.SetControlText(IDC_DESTINATION, std::string(shortParent) + "\\VarnX\\");
    for (int answer : { IDNO, IDYES }) {
        wizard.ClickSheetButton(WIZARD_NEXT);
        HWND question = WaitForWindow(BOX_CLASS, "確認", setup->Handle());
        ASSERT_NE(nullptr, question);
        EXPECT_EQ("次のフォルダは既に存在します。\n\n" + installFolder + "\n\nこのフォルダにインストールしますか？",
                  MessageBoxText(question));
        EXPECT_FALSE(IsWindowEnabled(wizard.Sheet())) << "the wizard waits for its box";
        SaveScreenshot(question, Shot("wizard-existing-folder"));
        PressButton(question, answer);
        EXPECT_TRUE(WaitForWindowGone(question));
        Sleep(300);
        EXPECT_EQ(answer == IDNO ? 1 : 2, wizard.CurrentPage());
    }

    // Page 3: nothing to press; it moves on by itself.
    ASSERT_TRUE(wizard.WaitForPage(2));
    for (int button : { WIZARD_BACK, WIZARD_NEXT, WIZARD_FINISH, WIZARD_CANCEL })
        EXPECT_FALSE(wizard.ButtonEnabled(button)) << "button " << button << " on page 3";
    ExpectWellFormedPage(wizard, GetParam());
    SaveScreenshot(wizard.Sheet(), Shot("wizard-3-progress"));
    ASSERT_TRUE(wizard.WaitForPage(3));
    HWND bar = GetDlgItem(wizard.Page(2), IDC_INSTALL_PROGRESS);
    EXPECT_EQ(16, (int)SendMessageA(bar, PBM_GETPOS, 0, 0));
    EXPECT_EQ(nullptr, FindWindowA(BOX_CLASS, "ERROR!")) << "nothing failed";

    // Page 4: Finish only; the product starts once, by its quoted path.
    EXPECT_FALSE(wizard.ButtonEnabled(WIZARD_BACK));
    EXPECT_FALSE(wizard.ButtonEnabled(WIZARD_NEXT));
    EXPECT_TRUE(wizard.ButtonEnabled(WIZARD_FINISH));
    EXPECT_FALSE(wizard.ButtonEnabled(WIZARD_CANCEL));
    EXPECT_TRUE(wizard.Checked(IDC_LAUNCH_PRODUCT));
    ExpectWellFormedPage(wizard, GetParam());
    SaveScreenshot(wizard.Sheet(), Shot("wizard-4-finish"));
    wizard.ClickSheetButton(WIZARD_FINISH);
    EXPECT_TRUE(setup->WaitForExit());
    EXPECT_EQ((DWORD)ERROR_SUCCESS, setup->ExitCode());
    ASSERT_NE(nullptr, WaitForWindow(NULL, "Varnolt", NULL, 15000)) << "the product was started";
    Sleep(1000);
    EXPECT_EQ(1, CountProductWindows());
    SaveScreenshot(FindWindowA(NULL, "Varnolt"), "wizard-5-product");
    CloseProductWindows();

    ExpectInstalledFiles(installFolder);
    EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, RUN_KEY, "Varnolt")) << "setup never writes the Run entry";
    const std::string programs = CommonProgramsFolder() + "\\Varnolt\\";
    ExpectLinks(installFolder);

    // Copies and moved-aside files that earlier runs left go with the
    // removal, unreported; a file of another name stays.
    const std::string leftovers[] = { installFolder + "\\VarnX.exe.1f-2a.new", installFolder + "\\Setup.exe.new",
                                      SystemFilesFolder() + "\\VarnX.cpl.3-4b.old" };
    for (const std::string& leftover : leftovers)
        WriteFile(leftover, "half");
    WriteFile(installFolder + "\\Readme.txt.old", "the user's own");

    // The uninstall entry's own command line, run as the shell runs it.
    const std::string command = StringValue(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "UnInstallString").c_str();
    RemovalOutcome removed = RunRemoval("", command, "cycle-removal");
    EXPECT_EQ("確認", removed.caption);
    EXPECT_EQ("Varnolt を削除しました。", removed.text);
    EXPECT_EQ((DWORD)ERROR_SUCCESS, removed.exitCode);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, PRODUCT_KEY));
    EXPECT_EQ(std::string::npos, AppsList().find("Varnoltix|||")) << "gone from the Apps list";
    for (const char* name : LINK_NAMES)
        EXPECT_FALSE(FileExists(programs + name)) << name;
    EXPECT_FALSE(FolderExists(programs)) << "the emptied group goes";
    for (const std::string& leftover : leftovers)
        EXPECT_FALSE(FileExists(leftover)) << leftover;
    EXPECT_EQ("the user's own", ReadFile(installFolder + "\\notes.txt"));
    EXPECT_EQ("the user's own", ReadFile(installFolder + "\\Readme.txt.old"));
    ExpectOnlySetupLeft(installFolder);
    RemovalOutcome again = RunRemoval("", command, "cycle-removal-again");
    EXPECT_EQ("ERROR!", again.caption);
    EXPECT_EQ(NothingLeftReport(installFolder), again.text);
    EXPECT_EQ((DWORD)ERROR_UNKNOWN_PRODUCT, again.exitCode) << "nothing of Varnolt was found";

    EXPECT_FALSE(planted.WasStarted(0)) << ReadFile(planted.Record());
    RemoveTree(installParent);
}

INSTANTIATE_TEST_SUITE_P(InstallWizard, InstallWizardAtScale, testing::Values(96, 144, 192),
                         [](const testing::TestParamInfo<int>& scale) { return std::to_string(scale.param) + "dpi"; });

// The steps of the walk below, in the order it takes them.
class InstallWizardOverAnEarlierInstall : public InstallWizard
{
protected:
    InstallWizardOverAnEarlierInstall()
        : m_destination("destination"), m_installFolder(m_destination / "VarnX"), m_tools(m_destination / "Tools"),
          m_systemLibrary(SystemFilesFolder() + "\\VarnX.dll")
    {
    }
    ~InstallWizardOverAnEarlierInstall()
    {
        if (m_heldApplet)
            FreeLibrary(m_heldApplet);
        CloseHandle(m_heldLibrary);
    }

    // An earlier install, registered, with other contents (some of them
    // read-only) and no links; another program's folder beside it, which
    // setup does not take over unasked; an applet held loaded by another
    // program, a library held open so that it cannot even be renamed, an
    // earlier library in the system folder.
    void MakeEarlierInstall()
    {
        CreateDirectoryA(m_tools.c_str(), NULL);
        WriteFile(m_tools + "\\Readme.txt", "another program's");
        WriteFile(m_destination / "a-file", "not a folder");
        MakeInstalledState(m_installFolder);
        RemoveTree(CommonProgramsFolder() + "\\Varnolt");
        WriteFile(m_installFolder + "\\VarnX.dll", "an older library");
        SetFileAttributesA((m_installFolder + "\\VarnX.dll").c_str(), FILE_ATTRIBUTE_READONLY);
        m_heldLibrary =
            CreateFileA((m_installFolder + "\\VarnX.dll").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, m_heldLibrary);
        SetStringValue(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "DisplayName", "an older name");
        m_heldApplet = LoadLibraryA((SystemFilesFolder() + "\\VarnX.cpl").c_str());
        ASSERT_NE(nullptr, m_heldApplet);
        WriteFile(m_systemLibrary, "an earlier system library");
    }

    // Media as on a CD, read-only, and not as built: the program with one
    // byte changed, the readme another text. (The library is swapped during
    // the install: SwapMediaLibraryOnceCopied.)
    void MakeMediaNotAsBuilt()
    {
        std::string program = ReadFile(m_media + "\\VarnX.ex_");
        program[program.size() / 2] ^= 1;
        WriteFile(m_media + "\\VarnX.ex_", program);
        WriteFile(m_media + "\\Readme.txt", "first line\r\nLF only\n\nlast line without a break");
        for (const char* name : MEDIA_FILES)
            SetFileAttributesA((m_media + "\\" + name).c_str(), FILE_ATTRIBUTE_READONLY);
    }

    void AgreeToTheMediasReadme(WizardDriver& wizard)
    {
        ASSERT_TRUE(wizard.WaitForPage(0));
        EXPECT_EQ("first line\r\nLF only\r\n\r\nlast line without a break\r\n", wizard.ControlText(IDC_README))
            << "shown from the media, with CR LF breaks";
        ASSERT_TRUE(wizard.Agree());
        EXPECT_EQ(m_installFolder, wizard.ControlText(IDC_DESTINATION)) << "an upgrade goes where the product is";
    }

    // Page 2 kept after a refusal, with the destination's text selected and
    // the focus on it.
    void ExpectDestinationSelected(const WizardDriver& wizard, const std::string& after)
    {
        HWND edit = GetDlgItem(wizard.CurrentPageWindow(), IDC_DESTINATION);
        EXPECT_EQ(1, wizard.CurrentPage()) << after;
        GUITHREADINFO focus = {};
        focus.cbSize = sizeof focus;
        GetGUIThreadInfo(GetWindowThreadProcessId(edit, NULL), &focus);
        EXPECT_EQ(edit, focus.hwndFocus) << after;
        LRESULT selection = SendMessageA(edit, EM_GETSEL, 0, 0);
        EXPECT_EQ(0, LOWORD(selection)) << after;
        EXPECT_EQ(wizard.ControlText(IDC_DESTINATION).size(), HIWORD(selection)) << after;
    }

    // Each refusal: one box that the wizard waits for, page 2 kept, nothing
    // made anywhere.
    void RefuseEachUnusableDestination(WizardDriver& wizard, HANDLE setup)
    {
        char missingDrive[] = "?:\\VarnX";
        for (char letter = 'Z'; letter >= 'D'; --letter)
            if (!(GetLogicalDrives() & (1u << (letter - 'A'))))
                missingDrive[0] = letter;
        std::vector<std::string> refused = { "VarnoltRelative\\VarnX", m_destination / "Var|nolt", missingDrive,
                                             m_destination / std::string(MAX_PATH - m_destination.Path().size(), 'x'),
                                             "C:\\", m_destination / "LPT1", m_destination / "dot.\\VarnX",
                                             SystemFolder() + "\\", SystemFilesFolder(), m_destination / "a-file" };
        const std::vector<std::string> programFiles = ProgramFilesFolders();
        refused.insert(refused.end(), programFiles.begin(), programFiles.end());
        for (const std::string& bad : refused) {
            wizard.SetControlText(IDC_DESTINATION, bad);
            wizard.PressButton(PSBTN_NEXT);
            HWND refusal = WaitForWindow(BOX_CLASS, "ERROR", setup, 10000);
            ASSERT_NE(nullptr, refusal) << bad;
            EXPECT_EQ("インストール先のフォルダが正しくありません。\n\n"
                      "ドライブ名から始まるフルパスを入力してください。（例：C:\\Program Files\\VarnX）",
                      MessageBoxText(refusal));
            if (bad == refused[0])
                SaveScreenshot(refusal, "wizard-refused-destination");
            EXPECT_FALSE(IsWindowEnabled(wizard.Sheet())) << "the wizard waits for its box: " << bad;
            PressButton(refusal, IDOK);
            EXPECT_TRUE(WaitForWindowGone(refusal));
            Sleep(500);
            EXPECT_EQ(nullptr, FindWindowA(BOX_CLASS, "ERROR")) << "shown once: " << bad;
            ExpectDestinationSelected(wizard, bad);
        }
        EXPECT_FALSE(FolderExists("VarnoltRelative"));
        EXPECT_FALSE(FolderExists(m_destination / "Var"));
    }

    // Another folder than the registered install's would orphan it.
    void RefuseASecondCopy(WizardDriver& wizard, HANDLE setup)
    {
        wizard.SetControlText(IDC_DESTINATION, m_tools);
        wizard.PressButton(PSBTN_NEXT);
        HWND elsewhere = WaitForWindow(BOX_CLASS, "ERROR", setup, 10000);
        ASSERT_NE(nullptr, elsewhere);
        EXPECT_EQ("Varnolt は既に次のフォルダにインストールされています。\n\n" + m_installFolder +
                      "\n\n別のフォルダにインストールするには、先に Varnolt を削除してください。",
                  MessageBoxText(elsewhere));
        SaveScreenshot(elsewhere, "wizard-registered-elsewhere");
        PressButton(elsewhere, IDOK);
        EXPECT_TRUE(WaitForWindowGone(elsewhere));
        Sleep(500);
        ExpectDestinationSelected(wizard, "beside the registered install");
        EXPECT_EQ("another program's", ReadFile(m_tools + "\\Readme.txt"));
        EXPECT_EQ(std::string("an older name") + '\0', StringValue(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "DisplayName"))
            << "nothing written before a destination is taken";
    }

    // The registered install's folder, with a trailing backslash: no
    // question. No links.
    void InstallIntoTheRegisteredFolderWithoutLinks(WizardDriver& wizard)
    {
        wizard.SetControlText(IDC_DESTINATION, m_installFolder + "\\");
        wizard.ClickControl(IDC_CREATE_SHORTCUTS);
        Sleep(200);
        EXPECT_FALSE(wizard.Checked(IDC_CREATE_SHORTCUTS));
        wizard.ClickSheetButton(WIZARD_NEXT);
    }

    // The user's own program swaps the library on the media as soon as the
    // install folder's library is done with (its copy waits for the
    // restart), before the system folder's rows, and tries to swap the
    // install folder for another program's. Windows keeps a folder that is
    // held open where it is; Wine lets it be renamed, and the install then
    // writes nothing into what stands at its name.
    void SwapMediaLibraryOnceCopied()
    {
        const std::string mediaLibrary = m_media + "\\VarnX.dl_";
        bool swapped = false;
        for (DWORD start = GetTickCount(); !swapped && GetTickCount() - start < 20000; Sleep(5))
            if (PendingFileRenames().find(m_installFolder + "\\VarnX.dll") != std::string::npos) {
                SetFileAttributesA(mediaLibrary.c_str(), FILE_ATTRIBUTE_NORMAL);
                swapped = CopyFileA((m_media + "\\VarnX.cp_").c_str(), mediaLibrary.c_str(), FALSE);
                m_folderSwapped = MoveFileA(m_installFolder.c_str(), (m_installFolder + "-away").c_str());
                if (m_folderSwapped) {
                    CreateDirectoryA(m_installFolder.c_str(), NULL);
                    for (const char* name : SWAPPED_NAMES)
                        WriteFile(m_installFolder + "\\" + name,
                                  std::string(ReadFile(m_installFolder + "-away\\" + name).size(), 'x'));
                }
            }
        EXPECT_TRUE(swapped);
    }

    // The failures are listed once, then the files in use, before the
    // finish page: the held applet is replaced at once (moved aside), the
    // held library at the restart.
    void ExpectFailureBoxBeforeTheFinishPage(WizardDriver& wizard, HANDLE setup)
    {
        HWND box = WaitForWindow(BOX_CLASS, "ERROR!", setup);
        ASSERT_NE(nullptr, box);
        const std::string swappedFolderLine = m_folderSwapped ? "ファイルコピー：" + m_installFolder + "\\Setup.exe\n" : "";
        EXPECT_EQ("下記の内容が失敗しました。\n\nファイルコピー：" + m_installFolder + "\\VarnX.exe\n" + swappedFolderLine +
                      "ファイルコピー：" + m_installFolder + "\\Readme.txt\nファイルコピー：" + SystemFolder() +
                      "\\VarnX.dll\n",
                  MessageBoxText(box));
        EXPECT_EQ(2, wizard.CurrentPage());
        SaveScreenshot(box, "wizard-install-failure");
        PressButton(box, IDOK);
        HWND inUse = WaitForWindow(BOX_CLASS, "確認", setup);
        ASSERT_NE(nullptr, inUse);
        EXPECT_EQ(RestartReport({ m_installFolder + "\\VarnX.dll", SystemFolder() + "\\VarnX.cpl" }),
                  MessageBoxText(inUse));
        EXPECT_EQ(2, wizard.CurrentPage());
        SaveScreenshot(inUse, "wizard-files-in-use");
        PressButton(inUse, IDOK);
        ASSERT_TRUE(wizard.WaitForPage(3));
        Sleep(1000);
        EXPECT_EQ(nullptr, FindWindowA(BOX_CLASS, "ERROR!")) << "the install ran once";
        EXPECT_EQ(16, (int)SendMessageA(GetDlgItem(wizard.Page(2), IDC_INSTALL_PROGRESS), PBM_GETPOS, 0, 0))
            << "the shortcut steps are taken without links";
    }

    // New and old files would run together until the restart.
    void FinishWithoutStartingTheProduct(WizardDriver& wizard, ChildProcess& setup)
    {
        EXPECT_FALSE(wizard.Checked(IDC_LAUNCH_PRODUCT));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(wizard.CurrentPageWindow(), IDC_LAUNCH_PRODUCT)));
        wizard.ClickSheetButton(WIZARD_FINISH);
        EXPECT_TRUE(setup.WaitForExit());
        EXPECT_EQ((DWORD)ERROR_INSTALL_FAILURE, setup.ExitCode());
        EXPECT_EQ(nullptr, WaitForWindow(NULL, "Varnolt", NULL, 3000)) << "nothing started";
    }

    // The earlier program and readme stay as they were: good copies. So
    // does the earlier system library, with nothing left beside it. The held
    // library's copy waits beside it for the restart; the applet that stays
    // loaded was moved aside.
    void ExpectEarlierCopiesKept()
    {
        ExpectInstalledFiles(m_installFolder, "VarnX.dll");
        EXPECT_EQ("an earlier system library", ReadFile(m_systemLibrary));
        EXPECT_TRUE(FilesBeside(m_systemLibrary).empty());
        std::vector<std::string> waiting = FilesBeside(m_installFolder + "\\VarnX.dll");
        ASSERT_EQ(1u, waiting.size());
        EXPECT_EQ(ReadFile(MediaFolder() + "\\VarnX.dl_"), ReadFile(waiting[0]));
        EXPECT_NE(std::string::npos, PendingFileRenames().find("\\??\\" + waiting[0] + '\0' + "!\\??\\" +
                                                                m_installFolder + "\\VarnX.dll" + '\0'));
        EXPECT_FALSE(FolderExists(CommonProgramsFolder() + "\\Varnolt")) << "no links without the check box";
    }

    // What stood at the install folder's name after a swap (another
    // program's files, of the sizes of ours) got nothing; the install
    // folder comes back for the removal.
    void PutTheInstallFolderBack()
    {
        if (!m_folderSwapped)
            return;
        for (const char* name : SWAPPED_NAMES) {
            std::string content = ReadFile(m_installFolder + "\\" + name);
            EXPECT_EQ(std::string(content.size(), 'x'), content) << name;
        }
        RemoveTree(m_installFolder);
        EXPECT_TRUE(MoveFileA((m_installFolder + "-away").c_str(), m_installFolder.c_str()));
    }

    // Nothing read-only is left in the way. The library, let go by now,
    // goes with its waiting copy, which the restart then cannot put back;
    // the applet moved aside, still loaded, goes at the restart.
    void RemoveWithTheAppletHeld()
    {
        CloseHandle(m_heldLibrary);
        m_heldLibrary = INVALID_HANDLE_VALUE;
        EXPECT_EQ("an older library", ReadFile(m_installFolder + "\\VarnX.dll"));
        RemovalOutcome removed = RunRemoval(
            "", StringValue(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "UnInstallString").c_str(), "wizard-readonly-removal");
        EXPECT_EQ("Varnolt を削除しました。", removed.text);
        EXPECT_EQ(RestartReport({ SystemFolder() + "\\VarnX.cpl" }), removed.restartText);
        EXPECT_EQ((DWORD)ERROR_SUCCESS_REBOOT_REQUIRED, removed.exitCode);
        EXPECT_TRUE(FilesBeside(m_installFolder + "\\VarnX.dll").empty()) << "no copy for the restart to put back";
        FreeLibrary(m_heldApplet);
        m_heldApplet = nullptr;
        for (const char* name : MEDIA_FILES)
            SetFileAttributesA((m_media + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    TestFolder m_destination;
    const std::string m_installFolder;
    const std::string m_tools;
    const std::string m_systemLibrary;
    HMODULE m_heldApplet = nullptr;
    HANDLE m_heldLibrary = INVALID_HANDLE_VALUE;
    bool m_folderSwapped = false;
    static constexpr const char* SWAPPED_NAMES[] = { "VarnX.dll", "VarnX.exe", "Setup.exe", "Readme.txt" };
};

TEST_F(InstallWizardOverAnEarlierInstall, RefusedDestinationsThenMediaNotAsBuiltOrSwappedWithAFileInUse)
{
    ASSERT_NO_FATAL_FAILURE(MakeEarlierInstall());
    MakeMediaNotAsBuilt();
    std::unique_ptr<ChildProcess> setup = StartSetup();
    WizardDriver wizard(setup->Handle());
    ASSERT_NO_FATAL_FAILURE(AgreeToTheMediasReadme(wizard));
    ASSERT_NO_FATAL_FAILURE(RefuseEachUnusableDestination(wizard, setup->Handle()));
    ASSERT_NO_FATAL_FAILURE(RefuseASecondCopy(wizard, setup->Handle()));
    InstallIntoTheRegisteredFolderWithoutLinks(wizard);
    SwapMediaLibraryOnceCopied();
    ASSERT_NO_FATAL_FAILURE(ExpectFailureBoxBeforeTheFinishPage(wizard, setup->Handle()));
    FinishWithoutStartingTheProduct(wizard, *setup);
    PutTheInstallFolderBack();
    ExpectEarlierCopiesKept();
    RemoveWithTheAppletHeld();
}

TEST_F(InstallWizard, QuietInstallAndRemovalShowNoWindowAndSayHowTheyWentByExitCodeAndLog)
{
    const std::string setup = m_media + "\\Setup.exe";
    const std::string log = m_root / "quiet log.txt";
    const std::string installParent = SystemFolder().substr(0, 3) + "Program Files\\Varnolt 静か ソ";
    const std::string installFolder = installParent + "\\Quiet VarnX";
    RemoveTree(installParent);
    auto logText = [&]() {
        std::string text = ReadFile(log);
        DeleteFileA(log.c_str());
        return text;
    };

    // Lines that cannot be carried out touch nothing.
    char windows[MAX_PATH];
    const std::string refused[] = { setup + " /uninstall /S", setup + " /S /uninstall /D=" + installFolder,
                                    setup + " /S /D=" + installFolder + " /uninstall",
                                    setup + " /S /D=" + std::string(windows, GetWindowsDirectoryA(windows, MAX_PATH)) +
                                        "\\VarnX",
                                    setup + " /S /D=Relative\\VarnX", setup + " /S \"/uninstall\"",
                                    setup + " /S \"/D=" + installFolder + "\"", setup + " /S /Uninstall" };
    for (const std::string& line : refused)
        EXPECT_TRUE(EndsWithoutAWindow(setup, line, ERROR_INVALID_COMMAND_LINE)) << line;
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
    EXPECT_FALSE(FolderExists(installParent));

    // An install killed halfway: the next run finishes it.
    KillWhen(setup + " /S /D=" + installFolder, [&] { return FileExists(installFolder + "\\VarnX.dll"); });

    // The folder runs to the end of the line, spaces and all; the log's
    // name is quoted; the switches in any case. A link planted at the log's
    // name is not written through: the log goes nowhere rather than into
    // another file.
    const std::string victim = m_root / "another file";
    WriteFile(victim, "not the log");
    ASSERT_TRUE(CreateHardLinkA(log.c_str(), victim.c_str(), NULL));
    const std::string quietLine = setup + " /s /log=\"" + log + "\" /d=" + installFolder;
    EXPECT_TRUE(EndsWithoutAWindow(setup, quietLine, ERROR_SUCCESS, 30000));
    EXPECT_EQ("not the log", ReadFile(victim));
    DeleteFileA(log.c_str());
    ExpectInstalledFiles(installFolder);
    ExpectNothingBeside(installFolder);
    ExpectLinks(installFolder);
    EXPECT_TRUE(EndsWithoutAWindow(setup, quietLine, ERROR_SUCCESS, 30000)) << "over itself";
    EXPECT_EQ("終了コード：0\r\n", logText());
    EXPECT_EQ(nullptr, WaitForWindow(NULL, "Varnolt", NULL, 2000)) << "the product is not started";

    // Again, without a folder: the registered one. Another one would orphan it.
    EXPECT_TRUE(EndsWithoutAWindow(setup, setup + " /S", ERROR_SUCCESS, 30000));
    EXPECT_TRUE(EndsWithoutAWindow(setup, setup + " /S /LOG=\"" + log + "\" /D=" + m_root.Path(), ERROR_INVALID_COMMAND_LINE));
    EXPECT_EQ("[ERROR]\r\nVarnolt は既に次のフォルダにインストールされています。\r\n\r\n" + installFolder +
                  "\r\n\r\n別のフォルダにインストールするには、先に Varnolt を削除してください。\r\n終了コード：1639\r\n",
              logText());

    // The entry's quiet command, as a deployment tool runs it with what
    // its template appends.
    const std::string quietRemoval = StringValue(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "QuietUninstallString").c_str();
    const std::string logged = quietRemoval + " /LOG=\"" + log + "\" /NoRestart";
    EXPECT_TRUE(EndsWithoutAWindow("", logged, ERROR_SUCCESS, 30000));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
    EXPECT_FALSE(FileExists(installFolder + "\\VarnX.exe"));
    EXPECT_FALSE(FolderExists(CommonProgramsFolder() + "\\Varnolt"));
    const std::string question = "[確認]\r\nVarnolt を削除しますか？\r\n";
    EXPECT_EQ(question + "[確認]\r\nVarnolt を削除しました。\r\n終了コード：0\r\n", logText());

    // A removal killed halfway: run again, it leaves nothing of Varnolt
    // (the next finds nothing) but Setup.exe.
    EXPECT_TRUE(EndsWithoutAWindow(setup, quietLine, ERROR_SUCCESS, 30000));
    KillWhen(quietRemoval, [] { return !KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY); });
    ChildProcess rerun("", quietRemoval);
    EXPECT_TRUE(rerun.WaitForExit() && (rerun.ExitCode() == ERROR_SUCCESS || rerun.ExitCode() == ERROR_UNKNOWN_PRODUCT));
    EXPECT_TRUE(FileExists(installFolder + "\\Setup.exe"));
    DeleteFileA(log.c_str());
    EXPECT_TRUE(EndsWithoutAWindow("", logged, ERROR_UNKNOWN_PRODUCT, 30000));
    EXPECT_EQ(question + WithCrLf("[ERROR!]\n" + NothingLeftReport(installFolder) +
                                  "\nVarnolt は見つかりませんでした。\n終了コード：1605\n"),
              logText());
    RemoveTree(installParent);
}

TEST_F(InstallWizard, AFullDiskLosesNothingAndTheNextRunWithRoomCompletes)
{
    // Drive X: is a disk of 256 KB of its own (tests/SmallDrive.sh).
    ULARGE_INTEGER available, total;
    if (!GetDiskFreeSpaceExA("X:\\", &available, &total, NULL) || total.QuadPart > 1024 * 1024)
        GTEST_SKIP() << "no small drive X: (tests/SmallDrive.sh could not mount one): the full disk is not tried";
    const std::string setup = m_media + "\\Setup.exe", folder = "X:\\VarnX", filler = "X:\\filler";
    const std::string line = setup + " /S /LOG=\"" + m_root / "full.log" + "\" /D=" + folder;
    RemoveTree(folder);
    EXPECT_TRUE(EndsWithoutAWindow(setup, line, ERROR_SUCCESS, 30000));
    // Earlier copies, then no room for anything more.
    for (const char* name : INSTALL_FOLDER_FILES)
        WriteFile(folder + "\\" + name, name);
    WriteFile(filler, std::string(total.QuadPart, 'f'));
    EXPECT_TRUE(EndsWithoutAWindow(setup, line, ERROR_INSTALL_FAILURE, 30000));
    std::string failed;
    for (const char* name : { "VarnX.dll", "VarnX.exe", "Setup.exe", "Readme.txt" })
        failed += "ファイルコピー：" + folder + "\\" + name + "\n";
    EXPECT_EQ(WithCrLf("[ERROR!]\n下記の内容が失敗しました。\n\n" + failed + "\n終了コード：1603\n"), ReadFile(m_root / "full.log"));
    for (const char* name : INSTALL_FOLDER_FILES)
        EXPECT_EQ(name, ReadFile(folder + "\\" + name)) << "kept whole";
    ExpectNothingBeside(folder);
    DeleteFileA(filler.c_str());
    EXPECT_TRUE(EndsWithoutAWindow(setup, line, ERROR_SUCCESS, 30000));
    ExpectInstalledFiles(folder);
    RemoveTree(folder);
}

namespace {

// The same file through Wine's second drive letter, Z:, which leads to the
// Unix root.
std::string ThroughDriveZ(const std::string& path)
{
    typedef char*(CDECL * UnixNameFn)(LPCWSTR);
    UnixNameFn unixName = reinterpret_cast<UnixNameFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char* name = unixName ? unixName(wide) : nullptr;
    std::string through = name ? std::string("Z:") + name : path;
    HeapFree(GetProcessHeap(), 0, name);
    std::replace(through.begin(), through.end(), '/', '\\');
    return through;
}

}

TEST_F(InstallWizard, OthersCannotReachAnythingThroughTheInstallFolder)
{
    const std::string setup = m_media + "\\Setup.exe";
    const std::string installFolder = m_root / "Apps\\VarnX";
    const std::string log = m_root / "folder log.txt";
    const std::string quietInstall = setup + " /S /LOG=\"" + ThroughDriveZ(log) + "\" /D=" + installFolder;

    // A folder every user can change is refused, with nothing written; the
    // log reaches its file through the second drive letter.
    CreateDirectoryA((m_root / "Apps").c_str(), NULL);
    CreateDirectoryA(installFolder.c_str(), NULL);
    MakeWritableByEveryone(installFolder);
    EXPECT_TRUE(EndsWithoutAWindow(setup, quietInstall, ERROR_INVALID_COMMAND_LINE));
    EXPECT_EQ("[ERROR]\r\nこのフォルダは管理者以外のユーザーも変更できるため、インストール先にできません。\r\n"
              "終了コード：1639\r\n",
              ReadFile(log));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));

    // Other names of read-only files outside, planted where the install
    // writes: the name is replaced by a rename, which leaves their file as
    // it was; a copy is never written through one, and only that row fails.
    RemoveTree(installFolder);
    CreateDirectoryA(installFolder.c_str(), NULL);
    const std::string victims[] = { m_root / "another readme", m_root / "another library" };
    const std::string planted[] = { installFolder + "\\Readme.txt", installFolder + "\\VarnX.dll.new" };
    for (int i = 0; i < 2; ++i) {
        WriteFile(victims[i], "another program's");
        SetFileAttributesA(victims[i].c_str(), FILE_ATTRIBUTE_READONLY);
        ASSERT_TRUE(CreateHardLinkA(planted[i].c_str(), victims[i].c_str(), NULL));
    }
    const std::string failed = "[ERROR!]\r\n下記の内容が失敗しました。\r\n\r\nファイルコピー：" + installFolder +
                               "\\VarnX.dll\r\n\r\n終了コード：1603\r\n";
    EXPECT_TRUE(EndsWithoutAWindow(setup, quietInstall, ERROR_INSTALL_FAILURE, 30000));
    EXPECT_EQ(failed, ReadFile(log));
    EXPECT_EQ(ReadFile(MediaFolder() + "\\Readme.txt"), ReadFile(planted[0]));

    // The registered install's folder, opened to everyone meanwhile, is
    // closed again by the next install, whatever is in it.
    MakeWritableByEveryone(installFolder);
    EXPECT_TRUE(EndsWithoutAWindow(setup, quietInstall, ERROR_INSTALL_FAILURE, 30000));
    EXPECT_EQ(failed, ReadFile(log));
    EXPECT_FALSE(IsWritableByEveryone(installFolder));

    // A read-only file with a second name is left in place by the removal,
    // and listed.
    DeleteFileA(planted[0].c_str());
    ASSERT_TRUE(CreateHardLinkA(planted[0].c_str(), victims[0].c_str(), NULL));
    EXPECT_TRUE(EndsWithoutAWindow("", "\"" + installFolder + "\\Setup.exe\" /S /LOG=\"" + log + "\" /uninstall",
                                   ERROR_INSTALL_FAILURE, 30000));
    EXPECT_NE(std::string::npos, ReadFile(log).find("ファイル削除：" + installFolder + "\\Readme.txt\r\n"));
    EXPECT_FALSE(FileExists(installFolder + "\\VarnX.exe"));
    for (const std::string& victim : victims) {
        EXPECT_EQ("another program's", ReadFile(victim)) << victim;
        EXPECT_TRUE(GetFileAttributesA(victim.c_str()) & FILE_ATTRIBUTE_READONLY) << victim;
        SetFileAttributesA(victim.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    RemoveCatalogueItems();
}
