// The removal run of CSetupApp: confirmation, removal with the progress
// panel showing, and the final report.
#include "../app/SetupApp.h"
#include "../catalogue/ItemCatalogue.h"
#include "ProgressPanel.h"

void CSetupApp::RunRemoval()
{
    if (::MessageBoxA(NULL, "Varnolt を削除しますか？", "確認", MB_YESNO | MB_ICONINFORMATION) != IDYES)
        return;

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
    RemoveFiles(panel, failureReport);

    panel.DestroyWindow();
    if (failureReport.IsEmpty())
        ::MessageBoxA(NULL, "Varnolt を削除しました。", "確認", MB_ICONINFORMATION);
    else
        ShowFailureReport(failureReport);
}
