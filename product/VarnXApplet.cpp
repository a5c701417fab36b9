// Stand-in for the Varnolt control-panel applet: one applet that says
// it was opened.
#include <windows.h>
#include <cpl.h>

extern "C" LONG CALLBACK CPlApplet(HWND hwndCpl, UINT message, LPARAM, LPARAM lParam2)
{
    switch (message) {
    case CPL_INIT:
        return TRUE;
    case CPL_GETCOUNT:
        return 1;
    case CPL_INQUIRE: {
        CPLINFO* pInfo = reinterpret_cast<CPLINFO*>(lParam2);
        pInfo->idIcon = CPL_DYNAMIC_RES;
        pInfo->idName = CPL_DYNAMIC_RES;
        pInfo->idInfo = CPL_DYNAMIC_RES;
        pInfo->lData = 0;
        return 0;
    }
    case CPL_DBLCLK:
        ::MessageBoxA(hwndCpl, "Varnolt の設定", "Varnolt", MB_OK);
        return 0;
    default:
        return 0;
    }
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
