#include "QuietInstall.h"
#include "../catalogue/FileHelpers.h"
#include "../install/InstallOperations.h"

CQuietInstall::CQuietInstall(COutcome& outcome, HANDLE hSetupProgram)
    : m_outcome(outcome), m_hSetupProgram(hSetupProgram)
{
}

void CQuietInstall::Run(BOOL bDestinationGiven, const CString& destination)
{
    CString registeredFolder = GetRegisteredInstallFolder();
    CString typed = bDestinationGiven ? CollapseSeparators(destination) : GetDefaultInstallFolder(registeredFolder);
    InstallSettings settings = {};
    DestinationVerdict verdict = CheckDestination(WithoutTrailingSeparators(typed), registeredFolder,
                                                  settings.m_strInstallPath);
    if (verdict != DESTINATION_TAKEN) {
        m_outcome.RefuseDestination(NULL, verdict, registeredFolder);
        m_outcome.SetExitCode(ERROR_INVALID_COMMAND_LINE);
        return;
    }
    settings.m_strProgramsFolder = GetCommonProgramsFolder();
    settings.m_strSystemFolder = GetSystemFolder();
    settings.m_bCreateShortcuts = TRUE;
    settings.m_hSetupProgram = m_hSetupProgram;

    CProgressSink unseen;
    CFailureList failures;
    CInstallOperations(settings, unseen, failures).Run();
    m_outcome.ReportFailures(failures);
}
