#include "SingleSetup.h"
#include "../windows/WellKnownSids.h"
#include "../windows/WindowsVersion.h"

namespace {

// A named section rather than a bare mutex: it also carries the first
// setup's process id, by which the second finds that one's windows.
// Another session is another user. A name in the global namespace can be
// taken first by any user, who would then hold every setup off: where
// Windows has private namespaces (Vista on), the name lies in one that only
// administrators can make. NT 4 and the older family have neither.
const char SECTION_NAME[] = "Quorlen.Varnolt.Setup";
const char GLOBAL_SECTION_NAME[] = "Global\\Quorlen.Varnolt.Setup";
const char PRIVATE_SECTION_NAME[] = "Quorlen.Varnolt\\Setup";
const WCHAR NAMESPACE_NAME[] = L"Quorlen.Varnolt";

typedef HANDLE(WINAPI* CreateBoundaryDescriptorFn)(LPCWSTR, ULONG);
typedef BOOL(WINAPI* AddSIDToBoundaryDescriptorFn)(HANDLE*, PSID);
typedef HANDLE(WINAPI* CreatePrivateNamespaceFn)(LPSECURITY_ATTRIBUTES, LPVOID, LPCWSTR);
typedef HANDLE(WINAPI* OpenPrivateNamespaceFn)(LPVOID, LPCWSTR);

// The claim's name: in the administrators' private namespace where Windows
// makes one (the namespace stays open for the process's life), else in
// the global namespace, else plain. Null where a private namespace exists
// but cannot be opened: there is no claim then.
const char* ClaimName()
{
    CreateBoundaryDescriptorFn createBoundary =
        FindKernelFunction<CreateBoundaryDescriptorFn>("CreateBoundaryDescriptorW");
    HANDLE hBoundary = createBoundary ? createBoundary(NAMESPACE_NAME, 0) : NULL;
    if (!hBoundary)
        return IsWindows2000OrLater() ? GLOBAL_SECTION_NAME : SECTION_NAME;
    AddSIDToBoundaryDescriptorFn addSid = FindKernelFunction<AddSIDToBoundaryDescriptorFn>("AddSIDToBoundaryDescriptor");
    CreatePrivateNamespaceFn createNamespace = FindKernelFunction<CreatePrivateNamespaceFn>("CreatePrivateNamespaceW");
    OpenPrivateNamespaceFn openNamespace = FindKernelFunction<OpenPrivateNamespaceFn>("OpenPrivateNamespaceW");
    if (!addSid || !createNamespace || !openNamespace || !addSid(&hBoundary, ADMINISTRATORS_SID.Get()))
        return NULL;
    HANDLE hNamespace = createNamespace(NULL, hBoundary, NAMESPACE_NAME);
    if (!hNamespace && ::GetLastError() == ERROR_ALREADY_EXISTS)
        hNamespace = openNamespace(hBoundary, NAMESPACE_NAME);
    return hNamespace ? PRIVATE_SECTION_NAME : NULL;
}

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
    const char* pszName = ClaimName();
    HANDLE hSection = pszName ? ::CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, sizeof(DWORD), pszName)
                              : NULL;
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
