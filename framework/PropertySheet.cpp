#include "PropertySheet.h"
#include "WinApp.h"
#include <stdlib.h>

namespace {
// The sheet whose PropertySheetA call is running: the sheet callback gets no
// data of ours. One user-interface thread opens one sheet at a time.
CPropertySheet* g_pSheetStarting;

typedef BOOL(WINAPI* SetWindowSubclassFn)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR);
typedef BOOL(WINAPI* RemoveWindowSubclassFn)(HWND, SUBCLASSPROC, UINT_PTR);
typedef LRESULT(WINAPI* DefSubclassProcFn)(HWND, UINT, WPARAM, LPARAM);

// comctl32's subclass calls, found at run time: before version 6 it exports
// them by ordinal only, and a program that imports them by name does not
// even load there.
template <class Fn>
Fn FindSubclassCall(const char* pszName, WORD ordinal)
{
    HMODULE comctl32 = ::GetModuleHandleA("comctl32.dll");
    FARPROC call = comctl32 ? ::GetProcAddress(comctl32, pszName) : NULL;
    if (!call && comctl32)
        call = ::GetProcAddress(comctl32, MAKEINTRESOURCEA(ordinal));
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(call));
}

RemoveWindowSubclassFn g_pfnRemoveWindowSubclass;
DefSubclassProcFn g_pfnDefSubclassProc;
}

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

CPropertySheet::CPropertySheet(const char* pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_psh(), m_strCaption(pszCaption), m_pParentWnd(pParentWnd), m_ppPages(NULL), m_nPages(0)
{
    m_psh.dwSize = sizeof m_psh;
    m_psh.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.nStartPage = iSelectPage;
    m_psh.pfnCallback = &CPropertySheet::SheetCallback;
}

CPropertySheet::~CPropertySheet() { free(m_ppPages); }

BOOL CPropertySheet::AddPage(CPropertyPage* pPage)
{
    CPropertyPage** ppPages =
        static_cast<CPropertyPage**>(realloc(m_ppPages, (m_nPages + 1) * sizeof(CPropertyPage*)));
    if (!ppPages)
        return FALSE;
    m_ppPages = ppPages;
    m_ppPages[m_nPages++] = pPage;
    return TRUE;
}

INT_PTR CPropertySheet::DoModal()
{
    PROPSHEETPAGEA* pPages = static_cast<PROPSHEETPAGEA*>(malloc(m_nPages * sizeof(PROPSHEETPAGEA)));
    if (!pPages)
        return -1;
    for (int i = 0; i < m_nPages; ++i)
        pPages[i] = m_ppPages[i]->m_psp;
    m_psh.hwndParent = m_pParentWnd ? m_pParentWnd->m_hWnd : NULL;
    m_psh.nPages = m_nPages;
    m_psh.ppsp = pPages;

    g_pSheetStarting = this;
    INT_PTR result = ::PropertySheetA(&m_psh);
    g_pSheetStarting = NULL;
    if (m_hWnd)
        Detach();
    m_psh.ppsp = NULL;
    free(pPages);
    return result;
}

int CALLBACK CPropertySheet::SheetCallback(HWND hWnd, UINT message, LPARAM)
{
    if (message != PSCB_INITIALIZED || !g_pSheetStarting)
        return 0;
    // The subclass lets go of the window as it is destroyed; where the
    // common controls have no subclass calls, DoModal does once it is gone.
    g_pSheetStarting->Attach(hWnd, TRUE);
    SetWindowSubclassFn pfnSetWindowSubclass = FindSubclassCall<SetWindowSubclassFn>("SetWindowSubclass", 410);
    g_pfnRemoveWindowSubclass = FindSubclassCall<RemoveWindowSubclassFn>("RemoveWindowSubclass", 412);
    g_pfnDefSubclassProc = FindSubclassCall<DefSubclassProcFn>("DefSubclassProc", 413);
    if (pfnSetWindowSubclass && g_pfnRemoveWindowSubclass && g_pfnDefSubclassProc)
        pfnSetWindowSubclass(hWnd, &CPropertySheet::SheetSubclassProc, 0, 0);
    g_pSheetStarting = NULL;
    return 0;
}

LRESULT CALLBACK CPropertySheet::SheetSubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                                   UINT_PTR, DWORD_PTR)
{
    if (message == WM_NCDESTROY) {
        CWnd* pSheet = CWnd::FromHandle(hWnd);
        if (pSheet)
            pSheet->Detach();
        g_pfnRemoveWindowSubclass(hWnd, &CPropertySheet::SheetSubclassProc, 0);
    }
    return g_pfnDefSubclassProc(hWnd, message, wParam, lParam);
}
