#include "QuietInstall.h"
#include "../destination/InstallDestination.h"
#include "../install/InstallOperations.h"
#include "../windows/WindowsFolders.h"

CQuietInstall::CQuietInstall(COutcome& outcome, HANDLE hSetupProgram) : m_outcome(outcome), m_settings()
{
    m_settings.m_bCreateShortcuts = TRUE;
    m_settings.m_hSetupProgram = hSetupProgram;
}

BOOL CQuietInstall::TakeDestination(BOOL bDestinationGiven, const CString& destination)
{
    RegisteredInstall registered = FindRegisteredInstall();
    DestinationVerdict verdict =
        CheckDestination(bDestinationGiven ? destination : GetDefaultInstallFolder(registered.strFolder), registered,
                         m_settings.m_strInstallPath);
    if (verdict == DESTINATION_TAKEN)
        return TRUE;
    m_outcome.RefuseDestination(NULL, verdict, registered.strFolder);
    // Another version of the product is installed: the other build.
    m_outcome.SetExitCode(verdict == DESTINATION_OTHER_BUILD ? ERROR_PRODUCT_VERSION : ERROR_INVALID_COMMAND_LINE);
    return FALSE;
}

void CQuietInstall::Run()
{
    m_settings.m_strProgramsFolder = GetCommonProgramsFolder();
    m_settings.m_strSystemFolder = GetSystemFolder();
    CProgressSink unseen;
    CFailureList failures;
    CRestartList restarts;
    CInstallOperations(m_settings, unseen, failures, restarts).Run();
    m_outcome.ReportWalk(failures, restarts);
}
