// CSetupApp: the application object. InitInstance is the whole run of the
// program, install or removal; ExitInstance hands the outcome's exit code
// to the process.
#pragma once
#include "../framework/WinApp.h"
#include "../outcome/Outcome.h"

class CSetupApp : public CWinApp
{
public:
    CSetupApp();
    virtual ~CSetupApp();
    // Hardens the process before any DLL is loaded on demand.
    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int ExitInstance();

    COutcome m_outcome;
    // Held open from the start: the file the user started cannot be swapped
    // while it runs, and the install copies it from here.
    HANDLE m_hOwnProgram;
};
