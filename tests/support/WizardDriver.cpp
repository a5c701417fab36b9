#include "WizardDriver.h"
#include "WindowDriver.h"
#include "../../res/resource.h"
#include <commctrl.h>
#include <shlobj.h>

namespace {

struct WindowSearch
{
    DWORD processId;
    const char* childClass;
    HWND found;
};

// A visible dialog of the process holding a child of the class.
BOOL CALLBACK FindProcessDialog(HWND window, LPARAM param)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (processId == search->processId && IsWindowVisible(window) && strcmp(className, "#32770") == 0 &&
        FindWindowExA(window, NULL, search->childClass, NULL)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForProcessDialog(HANDLE process, const char* childClass, DWORD timeoutMs)
{
    WindowSearch search = { GetProcessId(process), childClass, NULL };
    for (DWORD start = GetTickCount();; Sleep(20)) {
        search.found = NULL;
        EnumWindows(FindProcessDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found || WaitForSingleObject(process, 0) == WAIT_OBJECT_0 || GetTickCount() - start >= timeoutMs)
            return search.found;
    }
}

}

WizardDriver::WizardDriver(HANDLE process) : m_process(process), m_processId(GetProcessId(process)), m_sheet(NULL) {}

bool WizardDriver::Agree()
{
    if (!WaitForPage(0))
        return false;
    ClickControl(IDC_AGREE);
    Sleep(200);
    ClickSheetButton(WIZARD_NEXT);
    return WaitForPage(1);
}

bool WizardDriver::AcceptDestination(DWORD timeoutMs)
{
    ClickSheetButton(WIZARD_NEXT);
    for (DWORD start = GetTickCount();; Sleep(20)) {
        if (CurrentPage() == 2)
            return true;
        HWND question = FindWindowA("#32770", "確認");
        DWORD owner = 0;
        if (question && GetWindowThreadProcessId(question, &owner) && owner == m_processId)
            ::PressButton(question, IDYES);
        if (WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0 || GetTickCount() - start >= timeoutMs)
            return false;
    }
}

bool WizardDriver::WaitForPage(int index, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount();; Sleep(20)) {
        if (!m_sheet || !IsWindow(m_sheet))
            m_sheet = WaitForProcessDialog(m_process, WC_TABCONTROLA, 0);
        if (m_sheet && CurrentPage() == index) {
            // The page's posted button request is handled after it is shown.
            Sleep(100);
            return true;
        }
        if (WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0 || GetTickCount() - start >= timeoutMs)
            return false;
    }
}

HWND WizardDriver::Page(int index) const
{
    return reinterpret_cast<HWND>(SendMessageA(m_sheet, PSM_INDEXTOHWND, index, 0));
}

HWND WizardDriver::CurrentPageWindow() const
{
    return reinterpret_cast<HWND>(SendMessageA(m_sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int WizardDriver::CurrentPage() const
{
    HWND page = CurrentPageWindow();
    return page ? (int)SendMessageA(m_sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0) : -1;
}

bool WizardDriver::ButtonEnabled(int id) const
{
    HWND button = GetDlgItem(m_sheet, id);
    return button && IsWindowVisible(button) && IsWindowEnabled(button);
}

void WizardDriver::ClickSheetButton(int id) { ::PressButton(m_sheet, id); }

void WizardDriver::ClickControl(int id) { ::PressButton(CurrentPageWindow(), id); }

void WizardDriver::PressButton(int psbtn) { PostMessageA(m_sheet, PSM_PRESSBUTTON, psbtn, 0); }

std::string WizardDriver::ControlText(int id) const { return ::ControlText(CurrentPageWindow(), id); }

void WizardDriver::SetControlText(int id, const std::string& text)
{
    SendMessageA(GetDlgItem(CurrentPageWindow(), id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool WizardDriver::Checked(int id) const
{
    return SendMessageA(GetDlgItem(CurrentPageWindow(), id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void WizardDriver::Focus(int id)
{
    // SetFocus reaches another thread's window only with its input attached.
    HWND control = GetDlgItem(CurrentPageWindow(), id);
    DWORD theirs = GetWindowThreadProcessId(control, NULL);
    AttachThreadInput(GetCurrentThreadId(), theirs, TRUE);
    SetFocus(control);
    AttachThreadInput(GetCurrentThreadId(), theirs, FALSE);
    Sleep(100);
}

bool WizardDriver::ChooseFolder(const std::string& path)
{
    HWND browser = WaitForProcessDialog(m_process, WC_TREEVIEWA, 30000);
    if (!browser)
        return false;
    // The tree fills in after the dialog shows.
    Sleep(1000);
    // The path travels by pointer, so it goes into the wizard's own memory.
    void* remote = VirtualAllocEx(m_process, NULL, path.size() + 1, MEM_COMMIT, PAGE_READWRITE);
    if (!remote)
        return false;
    // Wine's browser finds a folder only below a level that an earlier
    // selection opened, so the selection goes down one level at a time and
    // the folder itself is selected twice.
    std::string folder = path.back() == '\\' ? path : path + "\\";
    bool chosen = true;
    for (size_t end = folder.find('\\'); chosen && end != std::string::npos; end = folder.find('\\', end + 1)) {
        std::string level = folder.substr(0, end + 1);
        chosen = WriteProcessMemory(m_process, remote, level.c_str(), level.size() + 1, NULL);
        for (int time = 0; chosen && time < (end + 1 == folder.size() ? 2 : 1); ++time) {
            SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(remote));
            Sleep(200);
        }
    }
    ::PressButton(browser, IDOK);
    bool closed = WaitForWindowGone(browser);
    VirtualFreeEx(m_process, remote, 0, MEM_RELEASE);
    return chosen && closed;
}
