#include "RemovalRun.h"
#include "../catalogue/ItemCatalogue.h"
#include "../destination/FolderRules.h"
#include "../destination/InstallDestination.h"
#include "../files/OwnProgram.h"
#include "ProgressPanel.h"
#include "RemovalOperations.h"

CRemovalRun::CRemovalRun(COutcome& outcome) : m_outcome(outcome) {}

void CRemovalRun::Run()
{
    if (m_outcome.MessageBox(NULL, "Varnolt を削除しますか？", "確認", MB_YESNO | MB_ICONINFORMATION, IDYES) !=
        IDYES) {
        m_outcome.SetExitCode(ERROR_INSTALL_USEREXIT);
        return;
    }

    // The install the registry names, wherever this copy was started from
    // (a download folder, say); its own folder only when none is named, as
    // when an earlier removal has deleted the keys already. Either must pass
    // the destination rules, which the media never do. Read before the
    // registry rows delete it.
    CString installFolder = GetRegisteredInstallFolder();
    BOOL unregistered = installFolder.IsEmpty();
    if (unregistered)
        installFolder = AsInstallFolder(GetModuleFolder());

    // Removal goes ahead even without the panel's window; the panel then
    // only keeps count. A quiet removal has neither panel nor pauses.
    CProgressPanel panel(0);
    CShownProgress<CProgressPanel> shownProgress(panel);
    CProgressSink unseen;
    if (!m_outcome.IsQuiet()) {
        panel.Create(NULL);
        panel.SetRange(0, CATALOGUE_STEPS);
        panel.SetStep(1);
        panel.SetWindowText("アンインストール中．．．");
        panel.ShowWindow(SW_SHOW);
    }

    CFailureList failures;
    CRestartList restarts;
    CRemovalOperations operations(m_outcome.IsQuiet() ? unseen : shownProgress, failures, restarts);
    operations.RemoveRegistry();
    // Both builds have one Start-menu group: while the other build is
    // installed, the links are its own.
    if (!FindRegisteredInstall().bOtherBuild)
        operations.RemoveShortcuts();
    operations.RemoveFiles(installFolder, unregistered);

    // The panel's window, if it has one, goes before the final box.
    panel.DestroyWindow();
    if (failures.IsEmpty())
        m_outcome.MessageBox(NULL, "Varnolt を削除しました。", "確認", MB_ICONINFORMATION);
    m_outcome.ReportWalk(failures, restarts);
    // Told apart from a removal that left nothing behind, for the scripts
    // that make sure a product is gone.
    if (!operations.FoundAnything()) {
        m_outcome.Log("Varnolt は見つかりませんでした。");
        m_outcome.SetExitCode(ERROR_UNKNOWN_PRODUCT);
    }
}
