// The removal run of CSetupApp: confirmation, removal with the progress
// panel showing, and the final report.
#include "../app/SetupApp.h"
#include "../catalogue/FileHelpers.h"
#include "../catalogue/ItemCatalogue.h"
#include "ProgressPanel.h"

void CSetupApp::RunRemoval()
{
    if (::MessageBoxA(NULL, "Varnolt を削除しますか？", "確認", MB_YESNO | MB_ICONINFORMATION) != IDYES)
        return;

    // The install the registry names, wherever this copy was started from
    // (a download folder, say); its own folder only when none is named, as
    // when an earlier removal has deleted the keys already. Read before the
    // registry rows delete it.
    CString installFolder = GetRegisteredInstallFolder();
    if (installFolder.IsEmpty())
        installFolder = GetModuleFolder();

    CProgressPanel panel(0);
    CString failureReport;
    // Removal goes ahead even without the panel's window; the panel then
    // only keeps count.
    panel.Create(NULL);
    panel.SetRange(0, CATALOGUE_STEPS);
    panel.SetStep(1);
    panel.SetWindowText("アンインストール中．．．");
    panel.ShowWindow(SW_SHOW);

    RemoveRegistry(panel, failureReport);
    RemoveShortcuts(panel, failureReport);
    RemoveFiles(panel, failureReport, installFolder);

    panel.DestroyWindow();
    if (failureReport.IsEmpty())
        ::MessageBoxA(NULL, "Varnolt を削除しました。", "確認", MB_ICONINFORMATION);
    else
        ShowFailureReport(failureReport);
}
