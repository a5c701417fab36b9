#include "Wnd.h"
#include "DataExchange.h"
#include "WinApp.h"
#include <prsht.h>

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

CWnd::CWnd() : m_hWnd(NULL) {}

CWnd::~CWnd() {}

namespace {
// The one place where a window of ours keeps its object. A property rather
// than DWLP_USER: comctl32 keeps its own data there on the sheet.
const char OBJECT_PROPERTY[] = "FrameworkObject";
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return hWnd ? static_cast<CWnd*>(::GetPropA(hWnd, OBJECT_PROPERTY)) : NULL;
}

void CWnd::Attach(HWND hWnd, BOOL bKeepObject)
{
    m_hWnd = hWnd;
    if (bKeepObject)
        ::SetPropA(hWnd, OBJECT_PROPERTY, this);
}

void CWnd::Detach()
{
    if (m_hWnd)
        ::RemovePropA(m_hWnd, OBJECT_PROPERTY);
    m_hWnd = NULL;
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

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

HWND CWnd::GetParent() const { return ::GetParent(m_hWnd); }

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse) { return ::SetTimer(m_hWnd, nIDEvent, nElapse, NULL); }

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

HWND CWnd::GetDlgItem(int nID) const { return m_hWnd ? ::GetDlgItem(m_hWnd, nID) : NULL; }

BOOL CWnd::CheckDlgButton(int nIDButton, UINT nCheck) { return ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }

UINT CWnd::IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }

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
        pWnd->Attach(hWnd, TRUE);
    } else {
        pWnd = FromHandle(hWnd);
    }
    if (!pWnd)
        return FALSE;

    LRESULT result = 0;
    BOOL handled = pWnd->OnCmdMsg(message, wParam, lParam, &result);
    if (!handled && message == WM_COMMAND && AfxGetApp())
        handled = AfxGetApp()->OnCmdMsg(message, wParam, lParam, &result);
    if (message == WM_NCDESTROY)
        pWnd->Detach();
    if (!handled)
        return FALSE;
    if (ReturnsResultDirectly(message))
        return (INT_PTR)result;
    ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}
