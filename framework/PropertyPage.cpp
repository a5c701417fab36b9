#include "PropertyPage.h"
#include "WinApp.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : m_psp()
{
    m_nIDTemplate = nIDTemplate;
    m_psp.dwSize = sizeof m_psp;
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszTemplate = MAKEINTRESOURCEA(nIDTemplate);
    m_psp.pfnDlgProc = &CWnd::DialogProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    if (nIDCaption && m_strCaption.LoadString(nIDCaption)) {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
}

BEGIN_MESSAGE_MAP(CPropertyPage, CDialog)
    ON_NOTIFY_RESULT(PSN_SETACTIVE, 0, OnSetActiveNotify)
    ON_NOTIFY_RESULT(PSN_WIZNEXT, 0, OnWizardNext)
    ON_NOTIFY_RESULT(PSN_WIZFINISH, 0, OnWizardFinishNotify)
END_MESSAGE_MAP()

void CPropertyPage::CancelToClose() { ::SendMessageA(GetParent(), PSM_CANCELTOCLOSE, 0, 0); }

BOOL CPropertyPage::OnSetActive() { return TRUE; }

LRESULT CPropertyPage::OnWizardNext() { return 0; }

BOOL CPropertyPage::OnWizardFinish() { return TRUE; }

LRESULT CPropertyPage::OnSetActiveNotify() { return OnSetActive() ? 0 : -1; }

// A nonzero answer to PSN_WIZFINISH keeps the wizard open.
LRESULT CPropertyPage::OnWizardFinishNotify() { return OnWizardFinish() ? 0 : 1; }
