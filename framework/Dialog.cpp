#include "Dialog.h"
#include "WinApp.h"
#include <prsht.h>

namespace {

// The envelope in which CWnd::DialogProc finds the object at WM_INITDIALOG,
// the same one that property pages receive from comctl32.
PROPSHEETPAGEA CreateParam(CWnd* pWnd)
{
    PROPSHEETPAGEA param = {};
    param.dwSize = sizeof param;
    param.lParam = reinterpret_cast<LPARAM>(pWnd);
    return param;
}

}

IMPLEMENT_DYNAMIC(CDialog, CWnd)

CDialog::CDialog() : m_nIDTemplate(0), m_pParentWnd(NULL) {}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_WM_INITDIALOG()
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    PROPSHEETPAGEA param = CreateParam(this);
    HWND hWnd = ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDTemplate),
                                     pParentWnd ? pParentWnd->m_hWnd : NULL, &CWnd::DialogProc,
                                     reinterpret_cast<LPARAM>(&param));
    return hWnd != NULL;
}

BOOL CDialog::EndDialog(int nResult) { return ::EndDialog(m_hWnd, nResult); }

BOOL CDialog::IsDialogMessage(MSG* pMsg) { return m_hWnd && ::IsDialogMessageA(m_hWnd, pMsg); }

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }
