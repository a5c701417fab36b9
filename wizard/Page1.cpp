#include "Page1.h"
#include "../files/OwnProgram.h"
#include "../framework/DataExchange.h"
#include "../framework/StdioFile.h"
#include "../res/resource.h"

IMPLEMENT_DYNCREATE(CPage1, CPropertyPage)

CPage1::CPage1() : CPropertyPage(IDD_AGREEMENT_PAGE, 0), m_pSheet(NULL), m_strReadme("") {}

CPage1::~CPage1() {}

BEGIN_MESSAGE_MAP(CPage1, CPropertyPage)
    ON_BN_CLICKED(IDC_AGREE, OnAgree)
    ON_BN_CLICKED(IDC_DISAGREE, OnDisagree)
    ON_EN_SETFOCUS(IDC_README, OnSetFocusReadme)
END_MESSAGE_MAP()

void CPage1::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_README, m_strReadme);
}

BOOL CPage1::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_pSheet = CWnd::FromHandle(GetParent());

    m_strReadme.Empty();
    // Without the setup folder there is no readme to look for.
    CString folder = GetModuleFolder();
    CStdioFile file;
    if (!folder.IsEmpty() && file.Open(folder + "\\Readme.txt", CStdioFile::modeRead | CStdioFile::typeText)) {
        CString line;
        while (file.ReadString(line)) {
            m_strReadme += line;
            m_strReadme += "\r\n";
        }
        file.Close();
    }

    HWND hReadme = GetDlgItem(IDC_README);
    if (hReadme) {
        ::SendMessageA(hReadme, EM_SETSEL, 0, 0);
        ::SendMessageA(hReadme, EM_SCROLLCARET, 0, 0);
    }
    UpdateData(FALSE);
    return TRUE;
}

BOOL CPage1::OnSetActive()
{
    m_strip.FitToFrame(GetDlgItem(IDC_STRIP));
    if (!m_pSheet)
        return FALSE;
    BOOL agreed = GetDlgItem(IDC_AGREE) && IsDlgButtonChecked(IDC_AGREE);
    m_pSheet->PostMessage(PSM_SETWIZBUTTONS, 0, agreed ? PSWIZB_NEXT : 0);
    return CPropertyPage::OnSetActive();
}

void CPage1::OnAgree()
{
    if (m_pSheet)
        m_pSheet->PostMessage(PSM_SETWIZBUTTONS, 0, PSWIZB_NEXT);
}

void CPage1::OnDisagree()
{
    if (m_pSheet)
        m_pSheet->PostMessage(PSM_SETWIZBUTTONS, 0, 0);
}

// The caret goes to the end of the text, without a selection.
void CPage1::OnSetFocusReadme()
{
    HWND hReadme = GetDlgItem(IDC_README);
    if (!hReadme)
        return;
    ::SendMessageA(hReadme, EM_SETSEL, 0xFFFF, 0xFFFF);
    ::SendMessageA(hReadme, EM_SCROLLCARET, 0, 0);
}
