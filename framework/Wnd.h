// CWnd: an HWND and thin wrappers of the calls made on it. Dialogs and
// pages find their object through DWLP_USER, set by the one dialog procedure.
#pragma once
#include "CmdTarget.h"
#include "String.h"

class CDataExchange;

class CWnd : public CCmdTarget
{
public:
    CWnd();
    virtual ~CWnd();

    HWND m_hWnd;

    // The object of a dialog or page of ours; null for any other window.
    static CWnd* FromHandle(HWND hWnd);
    // The top-level window that owns what pParent (or the main window) opens.
    static CWnd* GetSafeOwner(CWnd* pParent = NULL, HWND* pWndTop = NULL);
    void Attach(HWND hWnd) { m_hWnd = hWnd; }

    virtual BOOL DestroyWindow();
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    HWND GetDlgItem(int nID) const;
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
