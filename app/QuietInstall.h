// CQuietInstall: the install as a deployment tool runs it, without any
// window: the destination from the command line, else the registered
// install's or the default; page 2's rules, but no question about a folder
// that exists (the administrator named it); the walks of page 3 with the
// Start-menu links and without the pauses for the eye.
#pragma once
#include "../outcome/Outcome.h"

class CQuietInstall
{
public:
    CQuietInstall(COutcome& outcome, HANDLE hSetupProgram);
    // bDestinationGiven: whether "/D=" named destination.
    void Run(BOOL bDestinationGiven, const CString& destination);

private:
    CQuietInstall(const CQuietInstall&);
    CQuietInstall& operator=(const CQuietInstall&);

    COutcome& m_outcome;
    HANDLE m_hSetupProgram;
};
