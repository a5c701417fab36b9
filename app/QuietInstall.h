// CQuietInstall: the install as a deployment tool runs it, without any
// window: the destination from the command line, else the registered
// install's or the default; page 2's rules, but no question about a folder
// that exists (the administrator named it); the walks of page 3 with the
// Start-menu links and without the pauses for the eye.
#pragma once
#include "../install/InstallSettings.h"
#include "../outcome/Outcome.h"

class CQuietInstall
{
public:
    CQuietInstall(COutcome& outcome, HANDLE hSetupProgram);
    // Takes "/D="'s folder (bDestinationGiven) or the one an install goes to
    // unless told; FALSE, with the refusal told and its exit code set, when
    // page 2 would refuse it. Nothing is touched either way.
    BOOL TakeDestination(BOOL bDestinationGiven, const CString& destination);
    void Run();

private:
    CQuietInstall(const CQuietInstall&);
    CQuietInstall& operator=(const CQuietInstall&);

    COutcome& m_outcome;
    InstallSettings m_settings;
};
