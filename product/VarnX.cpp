// Stand-in for the Varnolt program: a window titled "Varnolt" that says it
// was started and closes on WM_CLOSE.
#include <windows.h>

namespace {

const char WINDOW_CLASS[] = "VarnoltStandIn";

LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC hdc = ::BeginPaint(hWnd, &paint);
        RECT client;
        ::GetClientRect(hWnd, &client);
        ::DrawTextA(hdc, "Varnolt が起動しました。", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::EndPaint(hWnd, &paint);
        return 0;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = hInstance;
    windowClass.hIcon = ::LoadIconA(hInstance, MAKEINTRESOURCEA(1));
    windowClass.hCursor = ::LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = WINDOW_CLASS;
    if (!::RegisterClassA(&windowClass))
        return 1;
    HWND hWnd = ::CreateWindowA(WINDOW_CLASS, "Varnolt", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 320, 160,
                                NULL, NULL, hInstance, NULL);
    if (!hWnd)
        return 1;
    ::ShowWindow(hWnd, nCmdShow);
    MSG msg;
    while (::GetMessageA(&msg, NULL, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}
