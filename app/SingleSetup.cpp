#include "SingleSetup.h"
#include "../windows/WindowsVersion.h"

namespace {

// A named section rather than a bare mutex: it also carries the first
// setup's process id, by which the second finds that one's windows.
// Another session is another user: the name lies in the global namespace,
// which NT 4 and the older family do not have.
const char SECTION_NAME[] = "Quorlen.Varnolt.Setup";
const char GLOBAL_SECTION_NAME[] = "Global\\Quorlen.Varnolt.Setup";

struct WindowSearch
{
    DWORD processId;
    HWND hFound;
};

// The process's visible top-level windows in z-order; the first enabled one
// is what the user deals with (a box over a disabled wizard, say).
BOOL CALLBACK FindSetupWindow(HWND hWnd, LPARAM lParam)
{
    WindowSearch* pSearch = reinterpret_cast<WindowSearch*>(lParam);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    if (processId != pSearch->processId || !::IsWindowVisible(hWnd))
        return TRUE;
    pSearch->hFound = hWnd;
    return !::IsWindowEnabled(hWnd);
}

}

BOOL ClaimSingleSetup(BOOL bHandOver, BOOL* pbHandedOver)
{
    *pbHandedOver = FALSE;
    // Never closed: the section lives exactly as long as this setup. It
    // cannot be made when the name is taken by an object of another kind
    // or by one we may not open: then there is no claim.
    HANDLE hSection = ::CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, sizeof(DWORD),
                                           IsWindows2000OrLater() ? GLOBAL_SECTION_NAME : SECTION_NAME);
    DWORD error = ::GetLastError();
    if (!hSection)
        return FALSE;
    DWORD* pFirstId = static_cast<DWORD*>(::MapViewOfFile(hSection, FILE_MAP_WRITE, 0, 0, sizeof(DWORD)));
    if (error != ERROR_ALREADY_EXISTS) {
        if (pFirstId) {
            *pFirstId = ::GetCurrentProcessId();
            ::UnmapViewOfFile(pFirstId);
        }
        return TRUE;
    }

    WindowSearch search = { pFirstId ? *pFirstId : 0, NULL };
    if (pFirstId)
        ::UnmapViewOfFile(pFirstId);
    if (bHandOver && search.processId)
        ::EnumWindows(FindSetupWindow, reinterpret_cast<LPARAM>(&search));
    if (search.hFound) {
        if (::IsIconic(search.hFound))
            ::ShowWindow(search.hFound, SW_RESTORE);
        ::SetForegroundWindow(search.hFound);
        *pbHandedOver = TRUE;
    }
    ::CloseHandle(hSection);
    return FALSE;
}
