// Drives windows of another process from inside Wine: finds them, reads
// their texts, presses their buttons and photographs them.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

// Polls for a top-level window until it shows up, the process ends or the
// time runs out; null then.
HWND WaitForWindow(const char* className, const char* title, HANDLE process, DWORD timeoutMs = 30000);
// Polls until the window is gone; false when it stays.
bool WaitForWindowGone(HWND window, DWORD timeoutMs = 30000);
std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int id);
// The text of a message box (its static control 0xFFFF).
std::string MessageBoxText(HWND box);
// Clicks a button without waiting for the program to handle it.
void PressButton(HWND dialog, int id);
// Saves the window's screen area as ScreenshotFolder()\name.bmp.
void SaveScreenshot(HWND window, const std::string& name);

// Starts the command line (which names its program) and ends the process
// from outside once done() holds: an interrupted run.
void KillWhen(const std::string& commandLine, const std::function<bool()>& done);

class ChildProcess;
// Starts a program and watches it: true when it ends within the time
// without ever showing a window; its exit code is expected too.
bool EndsWithoutAWindow(const std::string& program, const std::string& commandLine, DWORD expectedExitCode,
                        DWORD timeoutMs = 10000);

// A program started for the test; killed at the end if still running.
class ChildProcess
{
public:
    // program empty: the command line names it, as the shell would run it.
    // token: start as that user (CreateProcessAsUserA); null for ourselves.
    ChildProcess(const std::string& program, const std::string& commandLine, HANDLE token = NULL);
    ~ChildProcess();
    bool Started() const { return m_info.hProcess != NULL; }
    HANDLE Handle() const { return m_info.hProcess; }
    bool WaitForExit(DWORD timeoutMs = 60000);
    DWORD Id() const { return m_info.dwProcessId; }
    // STILL_ACTIVE while it runs.
    DWORD ExitCode() const;

private:
    PROCESS_INFORMATION m_info;
};
