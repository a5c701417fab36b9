#include "PropertySheet.h"
#include "WinApp.h"
#include <stdlib.h>

namespace {
// The sheet whose PropertySheetA call is running: the sheet callback gets no
// data of ours. One user-interface thread opens one sheet at a time.
CPropertySheet* g_pSheetStarting;
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
    m_psh.ppsp = NULL;
    free(pPages);
    return result;
}

int CALLBACK CPropertySheet::SheetCallback(HWND hWnd, UINT message, LPARAM)
{
    if (message != PSCB_INITIALIZED || !g_pSheetStarting)
        return 0;
    // The subclass only lets go of the window when it is destroyed.
    if (::SetWindowSubclass(hWnd, &CPropertySheet::SheetSubclassProc, 0, 0))
        g_pSheetStarting->Attach(hWnd, TRUE);
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
        ::RemoveWindowSubclass(hWnd, &CPropertySheet::SheetSubclassProc, 0);
    }
    return ::DefSubclassProc(hWnd, message, wParam, lParam);
}
