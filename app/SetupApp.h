// CSetupApp: the application object. InitInstance is the whole run of the
// program; the install and removal operations are its members.
#pragma once
#include "../framework/String.h"
#include "../framework/WinApp.h"

class CMainPage;
class CProgressCtrl;
class CProgressPanel;

class CSetupApp : public CWinApp
{
public:
    CSetupApp();
    virtual ~CSetupApp();
    virtual BOOL InitInstance();

    // Installation, walking the catalogue with the sheet's install settings;
    // each steps the bar once per row and appends a line to failureReport
    // for every item it could not install.
    void InstallFiles(CMainPage& sheet, CProgressCtrl& progress, CString& failureReport);
    void InstallRegistry(CMainPage& sheet, CProgressCtrl& progress, CString& failureReport);
    void InstallShortcuts(CMainPage& sheet, CProgressCtrl& progress, CString& failureReport);

    // Removal, walking the catalogue; each steps the panel once per row and
    // appends a line to failureReport for every item it could not remove.
    void RemoveRegistry(CProgressPanel& panel, CString& failureReport);
    void RemoveShortcuts(CProgressPanel& panel, CString& failureReport);
    // installFolder: where the product's own files are deleted.
    void RemoveFiles(CProgressPanel& panel, CString& failureReport, const CString& installFolder);
    // Deletes every subkey below root\path, depth first; the key itself stays.
    void DeleteKeyTree(HKEY hRootKey, CString path);

    // Asks, removes with the progress panel showing, and reports.
    void RunRemoval();

    // One line of a failure report: what failed, then the item.
    static void AppendFailure(CString& failureReport, const char* pszWhat, const char* pszItem);
    // The box that lists what an install or a removal could not do.
    static void ShowFailureReport(const CString& failureReport);
};
