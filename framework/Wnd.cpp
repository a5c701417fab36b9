#include "Wnd.h"
#include "DataExchange.h"
#include "WinApp.h"
#include <prsht.h>

CWnd::CWnd() : m_hWnd(NULL) {}

CWnd::~CWnd() {}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd || ::GetWindowLongPtrA(hWnd, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&CWnd::DialogProc))
        return NULL;
    return reinterpret_cast<CWnd*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
}

CWnd* CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    HWND hWnd = pParent ? pParent->m_hWnd : NULL;
    CWinApp* pApp = AfxGetApp();
    if (!hWnd && pApp && pApp->m_pMainWnd)
        hWnd = pApp->m_pMainWnd->m_hWnd;
    while (hWnd && (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    if (pWndTop)
        *pWndTop = hWnd;
    return FromHandle(hWnd);
}

BOOL CWnd::DestroyWindow() { return ::DestroyWindow(m_hWnd); }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

HWND CWnd::GetDlgItem(int nID) const { return m_hWnd ? ::GetDlgItem(m_hWnd, nID) : NULL; }

void CWnd::SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }

void CWnd::GetWindowText(CString& text) const
{
    int length = ::GetWindowTextLengthA(m_hWnd);
    char* buffer = text.GetBuffer(length);
    if (!buffer)
        return;
    ::GetWindowTextA(m_hWnd, buffer, length + 1);
    text.ReleaseBuffer();
}

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }

BOOL CWnd::UpdateWindow() { return ::UpdateWindow(m_hWnd); }

BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }

BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

namespace {

// Messages whose result is the dialog procedure's own return value; every
// other result goes to DWLP_MSGRESULT.
BOOL ReturnsResultDirectly(UINT message)
{
    switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return TRUE;
    default:
        return FALSE;
    }
}

}

INT_PTR CALLBACK CWnd::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd;
    if (message == WM_INITDIALOG) {
        // Dialogs and pages alike arrive with a PROPSHEETPAGE whose lParam
        // is the object: comctl32 hands pages theirs, CDialog builds one.
        pWnd = reinterpret_cast<CWnd*>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
        pWnd->m_hWnd = hWnd;
        ::SetWindowLongPtrA(hWnd, DWLP_USER, reinterpret_cast<LONG_PTR>(pWnd));
    } else {
        pWnd = FromHandle(hWnd);
    }
    if (!pWnd)
        return FALSE;

    LRESULT result = 0;
    BOOL handled = pWnd->OnCmdMsg(message, wParam, lParam, &result);
    if (!handled && message == WM_COMMAND && AfxGetApp())
        handled = AfxGetApp()->OnCmdMsg(message, wParam, lParam, &result);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hWnd, DWLP_USER, 0);
        pWnd->m_hWnd = NULL;
    }
    if (!handled)
        return FALSE;
    if (ReturnsResultDirectly(message))
        return (INT_PTR)result;
    ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}
