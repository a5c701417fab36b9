#include "WindowDriver.h"
#include "TestFolder.h"
#include <gtest/gtest.h>
#include <vector>

HWND WaitForWindow(const char* className, const char* title, HANDLE process, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindWindowA(className, title);
        if (window && IsWindowVisible(window))
            return window;
        if (process && WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
            return NULL;
        if (GetTickCount() - start > timeoutMs)
            return NULL;
        Sleep(20);
    }
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

std::string WindowText(HWND window)
{
    char text[4096] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ControlText(HWND dialog, int id)
{
    char text[4096] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::string MessageBoxText(HWND box) { return ControlText(box, 0xFFFF); }

void PressButton(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void SaveScreenshot(HWND window, const std::string& name)
{
    // A moment for the program to paint and for Wine to push it to the screen.
    Sleep(300);
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return;
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    DWORD rowBytes = ((width * 3 + 3) / 4) * 4;
    DWORD imageSize = rowBytes * height;
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + imageSize;
    std::string content(reinterpret_cast<const char*>(&header), sizeof header);
    content.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    content.append(static_cast<const char*>(bits), imageSize);
    WriteFile(ScreenshotFolder() + "\\" + name + ".bmp", content);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
}

ChildProcess::ChildProcess(const std::string& program, const std::string& commandLine, HANDLE token) : m_info()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back(0);
    const char* name = program.empty() ? NULL : program.c_str();
    BOOL started = token ? CreateProcessAsUserA(token, name, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                                                &m_info)
                         : CreateProcessA(name, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &m_info);
    if (!started)
        m_info = PROCESS_INFORMATION();
}

ChildProcess::~ChildProcess()
{
    if (!m_info.hProcess)
        return;
    if (WaitForSingleObject(m_info.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 10000);
    }
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
}

bool ChildProcess::WaitForExit(DWORD timeoutMs)
{
    return m_info.hProcess && WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

bool EndsWithoutAWindow(const std::string& program, const std::string& commandLine, DWORD expectedExitCode,
                        DWORD timeoutMs)
{
    ChildProcess process(program, commandLine);
    struct Watch
    {
        DWORD processId;
        bool shown;
    } watch = { process.Id(), false };
    bool ended = false;
    for (DWORD start = GetTickCount(); !ended && GetTickCount() - start < timeoutMs;) {
        ended = process.WaitForExit(20);
        EnumWindows(
            [](HWND window, LPARAM data) CALLBACK -> BOOL {
                Watch& watch = *reinterpret_cast<Watch*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                watch.shown = watch.shown || (owner == watch.processId && IsWindowVisible(window));
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&watch));
    }
    EXPECT_EQ(expectedExitCode, process.ExitCode()) << commandLine;
    return ended && !watch.shown;
}

void KillWhen(const std::string& commandLine, const std::function<bool()>& done)
{
    ChildProcess process("", commandLine);
    for (DWORD start = GetTickCount(); !done() && GetTickCount() - start < 30000;)
        Sleep(1);
    TerminateProcess(process.Handle(), 1);
}

DWORD ChildProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}
