// CPropertySheet: comctl32's property sheet, run modally by PropertySheetA.
// The sheet runs on comctl32's own window procedure; the object is tied to
// its window at PSCB_INITIALIZED, before any page is created, so a page finds
// it through CWnd::FromHandle of its parent.
#pragma once
#include "PropertyPage.h"

class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet(const char* pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~CPropertySheet();

    // Pages are shown in the order they are added; the sheet does not own them.
    BOOL AddPage(CPropertyPage* pPage);
    int GetPageCount() const { return m_nPages; }
    // PropertySheetA's result: positive when finished, 0 when cancelled, -1 on failure.
    virtual INT_PTR DoModal();

    // Calls before DoModal edit the header.
    PROPSHEETHEADERA m_psh;

private:
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);
    static LRESULT CALLBACK SheetSubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR uIdSubclass, DWORD_PTR dwRefData);

    CString m_strCaption;
    CWnd* m_pParentWnd;
    CPropertyPage** m_ppPages;
    int m_nPages;
};
