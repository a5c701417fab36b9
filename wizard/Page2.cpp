#include "Page2.h"
#include "../catalogue/ItemCatalogue.h"
#include "../destination/InstallDestination.h"
#include "../files/FileSystem.h"
#include "../framework/DataExchange.h"
#include "../paths/PathText.h"
#include "../res/resource.h"
#include "../windows/WindowsFolders.h"
#include "MainPage.h"
#include <shlobj.h>

IMPLEMENT_DYNCREATE(CPage2, CPropertyPage)

CPage2::CPage2() : CPropertyPage(IDD_DESTINATION_PAGE, 0), m_pSheet(NULL), m_strInstallPath(""), m_registered() {}

CPage2::~CPage2() {}

BEGIN_MESSAGE_MAP(CPage2, CPropertyPage)
    ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
    ON_EN_KILLFOCUS(IDC_DESTINATION, OnKillFocusPath)
END_MESSAGE_MAP()

void CPage2::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_DESTINATION, m_strInstallPath);
}

BOOL CPage2::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_pSheet = CWnd::FromHandle(GetParent());

    // A folder the system cannot name stays empty; nothing is built on it.
    m_strSystemFolder = GetSystemFolder();
    m_strProgramsFolder = GetCommonProgramsFolder();
    // An upgrade goes where the product already is.
    m_registered = FindRegisteredInstall();
    m_strInstallPath = GetDefaultInstallFolder(m_registered.strFolder);

    CMainPage* pSheet = static_cast<CMainPage*>(m_pSheet);
    if (pSheet) {
        pSheet->m_strProgramsFolder = m_strProgramsFolder;
        pSheet->m_strSystemFolder = m_strSystemFolder;
        pSheet->m_strInstallPath = m_strInstallPath;
    }
    if (GetDlgItem(IDC_CREATE_SHORTCUTS))
        CheckDlgButton(IDC_CREATE_SHORTCUTS, BST_CHECKED);
    UpdateData(FALSE);
    return TRUE;
}

BOOL CPage2::OnSetActive()
{
    m_strip.FitToFrame(GetDlgItem(IDC_STRIP));
    if (!m_pSheet)
        return FALSE;
    m_pSheet->PostMessage(PSM_SETWIZBUTTONS, 0, PSWIZB_BACK | PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}

LRESULT CPage2::OnWizardNext()
{
    CMainPage* pSheet = static_cast<CMainPage*>(m_pSheet);
    if (!pSheet)
        return -1;
    UpdateData(TRUE);
    m_strInstallPath = CollapseSeparators(m_strInstallPath);
    UpdateData(FALSE);
    if (m_strInstallPath.IsEmpty())
        return -1;
    // The folder is handed on as one name in its long form, never with a
    // backslash at its end. One the install could not fill, or its uninstall
    // entry and links not find again, is refused before anything is written;
    // so is a second copy beside the registered one, which would be orphaned,
    // and any while the other build is installed.
    CString destination;
    DestinationVerdict verdict = CheckDestination(m_strInstallPath, m_registered, destination);
    if (verdict != DESTINATION_TAKEN) {
        // The wizard waits for the box: it is the box's owner.
        pSheet->m_outcome.RefuseDestination(m_pSheet->m_hWnd, verdict, m_registered.strFolder);
        FocusDestination();
        return -1;
    }
    pSheet->m_strInstallPath = destination;
    // Another program's folder is not taken over without a word.
    if (m_registered.strFolder.IsEmpty() && PathExists(destination) &&
        pSheet->m_outcome.MessageBox(
            m_pSheet->m_hWnd, CString("次のフォルダは既に存在します。\n\n") + destination + "\n\nこのフォルダにインストールしますか？",
            "確認", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        FocusDestination();
        return -1;
    }
    pSheet->m_bCreateShortcuts = !GetDlgItem(IDC_CREATE_SHORTCUTS) || IsDlgButtonChecked(IDC_CREATE_SHORTCUTS);
    return CPropertyPage::OnWizardNext();
}

void CPage2::OnBrowse()
{
    if (!m_pSheet)
        return;
    IMalloc* pMalloc = NULL;
    if (FAILED(::SHGetMalloc(&pMalloc)))
        return;
    BROWSEINFOA info = {};
    info.hwndOwner = m_hWnd;
    info.lpszTitle = "フォルダ選択";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
    LPITEMIDLIST pItems = ::SHBrowseForFolderA(&info);
    if (!pItems) {
        pMalloc->Release();
        return;
    }
    char chosen[MAX_PATH] = "";
    if (!::SHGetPathFromIDListA(pItems, chosen))
        chosen[0] = 0;
    pMalloc->Free(pItems);
    pMalloc->Release();

    m_strInstallPath = CollapseSeparators(JoinPath(chosen, PRODUCT_FOLDER_NAME));
    UpdateData(FALSE);
}

void CPage2::OnKillFocusPath()
{
    if (!m_pSheet)
        return;
    UpdateData(TRUE);
    if (m_strInstallPath.IsEmpty())
        m_strInstallPath = GetDefaultInstallFolder(m_registered.strFolder);
    m_strInstallPath = CollapseSeparators(m_strInstallPath);
    UpdateData(FALSE);
}

// The dialog manager gives an edit box the focus with its text selected.
void CPage2::FocusDestination()
{
    HWND hDestination = GetDlgItem(IDC_DESTINATION);
    if (hDestination)
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hDestination), TRUE);
}
