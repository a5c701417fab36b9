#include "ProgressPanel.h"
#include "../framework/DataExchange.h"
#include "../res/resource.h"

CProgressPanel::CProgressPanel(UINT nCaptionId)
    : m_nCaptionId(nCaptionId ? nCaptionId : IDS_PANEL_CAPTION),
      m_nRangeLow(0),
      m_nRangeHigh(100),
      m_nStepSize(1),
      m_bOwnerDisabled(FALSE)
{
}

CProgressPanel::~CProgressPanel()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CProgressPanel::Create(CWnd* pParentWnd)
{
    m_pParentWnd = CWnd::GetSafeOwner(pParentWnd, NULL);
    if (m_pParentWnd && m_pParentWnd->IsWindowEnabled()) {
        m_pParentWnd->EnableWindow(FALSE);
        m_bOwnerDisabled = TRUE;
    }
    if (!CDialog::Create(IDD_PROGRESS_PANEL, pParentWnd)) {
        RestoreOwner();
        return FALSE;
    }
    return TRUE;
}

DWORD CProgressPanel::SetRange(int nLower, int nUpper)
{
    m_nRangeLow = nLower;
    m_nRangeHigh = nUpper;
    return m_ctlProgress.SetRange((short)nLower, (short)nUpper);
}

int CProgressPanel::SetStep(int nStep)
{
    m_nStepSize = nStep;
    return m_ctlProgress.SetStep(nStep);
}

int CProgressPanel::StepIt()
{
    DrainMessages();
    int nOldPos = m_ctlProgress.StepIt();
    RefreshPercent(nOldPos + m_nStepSize);
    return nOldPos;
}

BOOL CProgressPanel::DestroyWindow()
{
    RestoreOwner();
    BOOL destroyed = CDialog::DestroyWindow();
    // The bar went with the window; nothing may reach it through a stale handle.
    m_ctlProgress.Attach(NULL);
    return destroyed;
}

void CProgressPanel::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PANEL_PROGRESS, m_ctlProgress);
}

BOOL CProgressPanel::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_ctlProgress.SetRange((short)m_nRangeLow, (short)m_nRangeHigh);
    m_ctlProgress.SetStep(m_nStepSize);
    m_ctlProgress.SetPos(m_nRangeLow);
    CString caption;
    caption.LoadString(m_nCaptionId);
    SetWindowText(caption);
    return TRUE;
}

void CProgressPanel::DrainMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

void CProgressPanel::RefreshPercent(int nPos)
{
    CWnd label;
    label.Attach(GetDlgItem(IDC_PANEL_PERCENT));
    if (!label.m_hWnd)
        return;

    // Past the end the figure wraps to small values again; an empty range
    // counts as done rather than dividing by zero.
    long long span = (long long)m_nRangeHigh - m_nRangeLow;
    int percent = span == 0 ? 100 : (int)(((long long)nPos - m_nRangeLow) * 100 / span);
    if (percent != 100)
        percent %= 100;

    CString text;
    text.Format("%d%c", percent, '%');
    CString current;
    label.GetWindowText(current);
    if (current.Compare(text) != 0) {
        label.SetWindowText(text);
        // Paint it and push it to the screen now: the next chance to drain
        // messages is a whole item away.
        label.UpdateWindow();
        ::GdiFlush();
    }
}

void CProgressPanel::RestoreOwner()
{
    if (m_bOwnerDisabled && m_pParentWnd)
        m_pParentWnd->EnableWindow(TRUE);
    m_bOwnerDisabled = FALSE;
}
