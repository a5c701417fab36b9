// CWnd: an HWND and thin wrappers of the calls made on it. Dialogs, pages
// and sheets find their object through one window property.
#pragma once
#include "CmdTarget.h"
#include "String.h"

class CDataExchange;

class CWnd : public CCmdTarget
{
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd();
    virtual ~CWnd();

    HWND m_hWnd;

    // The object of a dialog, page or sheet of ours; null for any other window.
    static CWnd* FromHandle(HWND hWnd);
    // The top-level window that owns what pParent (or the main window) opens.
    static CWnd* GetSafeOwner(CWnd* pParent = NULL, HWND* pWndTop = NULL);
    // bKeepObject: let FromHandle find this object from the window, until Detach.
    void Attach(HWND hWnd, BOOL bKeepObject = FALSE);
    void Detach();

    virtual BOOL DestroyWindow();
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    HWND GetParent() const;
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse);
    BOOL KillTimer(UINT_PTR nIDEvent);
    HWND GetDlgItem(int nID) const;
    BOOL CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void SetWindowText(const char* text);
    void GetWindowText(CString& text) const;
    BOOL ShowWindow(int nCmdShow);
    BOOL UpdateWindow();
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;

    // Runs DoDataExchange in the given direction.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // The one procedure of every dialog and page.
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    CWnd(const CWnd&);
    CWnd& operator=(const CWnd&);
};
