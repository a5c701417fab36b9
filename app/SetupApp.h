// CSetupApp: the application object. InitInstance is the whole run of the
// program; the install and removal operations are its members.
#pragma once
#include "../framework/String.h"
#include "../framework/WinApp.h"

class CProgressPanel;

class CSetupApp : public CWinApp
{
public:
    CSetupApp();
    virtual ~CSetupApp();
    virtual BOOL InitInstance();

    // Removal, walking the catalogue; each steps the panel once per row and
    // appends a line to failureReport for every item it could not remove.
    void RemoveRegistry(CProgressPanel& panel, CString& failureReport);
    void RemoveShortcuts(CProgressPanel& panel, CString& failureReport);
    void RemoveFiles(CProgressPanel& panel, CString& failureReport);
    // Deletes every subkey below root\path, depth first; the key itself stays.
    void DeleteKeyTree(HKEY hRootKey, CString path);

    // Asks, removes with the progress panel showing, and reports.
    void RunRemoval();

    DECLARE_MESSAGE_MAP()
};
