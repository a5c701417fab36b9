// CWinApp: the one application object, created statically by the program
// and run by AfxWinMain.
#pragma once
#include "CmdTarget.h"

class CWnd;

class CWinApp : public CCmdTarget
{
public:
    explicit CWinApp(const char* pszAppName = NULL);
    virtual ~CWinApp();

    // Before anything else of the run, the common controls included.
    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // Kept for the sources' sake: 3-D controls are the system's own look
    // since Windows 95, so there is nothing left to switch on.
    BOOL Enable3dControls() { return TRUE; }

    const char* m_pszAppName;
    HINSTANCE m_hInstance;
    CWnd* m_pMainWnd;

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetResourceHandle();
HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
