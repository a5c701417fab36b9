// Drives the install wizard of a running Setup.exe from another process:
// its pages, its buttons and the shell's folder browser it opens.
#pragma once
#include <windows.h>
#include <string>

// The sheet's own buttons.
const int WIZARD_BACK = 0x3023;
const int WIZARD_NEXT = 0x3024;
const int WIZARD_FINISH = 0x3025;
const int WIZARD_CANCEL = IDCANCEL;
const int WIZARD_HELP = IDHELP;

class WizardDriver
{
public:
    explicit WizardDriver(HANDLE process);

    // Waits until the wizard shows page `index` (0 to 3); false when it
    // does not within the time or the process ends.
    bool WaitForPage(int index, DWORD timeoutMs = 30000);
    HWND Sheet() const { return m_sheet; }
    // The window of page `index`, once it was shown.
    HWND Page(int index) const;
    int CurrentPage() const;
    HWND CurrentPageWindow() const;
    // Shown and enabled: the wizard hides the buttons it does not offer.
    bool ButtonEnabled(int id) const;
    // A button of the sheet or a control of the current page, clicked.
    void ClickSheetButton(int id);
    void ClickControl(int id);
    // PSM_PRESSBUTTON: as the keyboard does, without moving the focus.
    void PressButton(int psbtn);
    std::string ControlText(int id) const;
    void SetControlText(int id, const std::string& text);
    bool Checked(int id) const;
    // Gives a control of the current page the keyboard focus.
    void Focus(int id);
    // Agrees on page 1 and goes on, until page 2 shows.
    bool Agree();
    // Next on page 2, until page 3 shows; asked about a folder that exists
    // (left by an earlier walk), answers Yes.
    bool AcceptDestination(DWORD timeoutMs = 30000);
    // Answers the folder browser that 参照(&R) opens: selects path and OKs it.
    bool ChooseFolder(const std::string& path);

private:
    HANDLE m_process;
    DWORD m_processId;
    HWND m_sheet;
};
