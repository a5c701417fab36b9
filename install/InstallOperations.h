// CInstallOperations: files, registry values and shortcuts, walked from the
// catalogue with the settings given. Each row takes one step of the
// progress; what could not be installed goes into the failure list, and a
// file that waits for the restart into the restart list.
#pragma once
#include "../files/HeldFolder.h"
#include "../outcome/FailureList.h"
#include "../outcome/ProgressSink.h"
#include "../outcome/RestartList.h"
#include "InstallSettings.h"

class CInstallOperations
{
public:
    CInstallOperations(const InstallSettings& settings, CProgressSink& progress, CFailureList& failures,
                       CRestartList& restarts);

    // The three walks in order; without shortcuts their steps are still
    // taken, so the progress always reaches its end. FALSE when the install
    // folder could not be taken (made or found closed to others, and held),
    // and nothing was installed.
    BOOL Run();

private:
    void InstallFiles(const CHeldFolder& heldFolder);
    void InstallRegistry();
    void InstallShortcuts();

    CInstallOperations(const CInstallOperations&);
    CInstallOperations& operator=(const CInstallOperations&);

    const InstallSettings& m_settings;
    CProgressSink& m_progress;
    CFailureList& m_failures;
    CRestartList& m_restarts;
    BOOL m_bFolderTaken;
};
