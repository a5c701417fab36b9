// COutcome: how a run ends and what it says: its boxes (none in a quiet
// run), the log that repeats them when one is asked for, and the exit code
// that deployment tools read.
#pragma once
#include "../destination/InstallDestination.h"
#include "../framework/String.h"
#include "FailureList.h"
#include "RestartList.h"

class COutcome
{
public:
    COutcome();

    // No box is shown: each takes its quiet answer.
    void SetQuiet(BOOL bQuiet) { m_bQuiet = bQuiet; }
    BOOL IsQuiet() const { return m_bQuiet; }
    // The file that receives the log when the run ends; empty for none.
    void SetLogFile(const CString& path);

    // MessageBoxA where someone watches, else nQuietAnswer; the log gets
    // the caption and the text either way.
    int MessageBox(HWND hOwner, const char* pszText, const char* pszCaption, UINT nType, int nQuietAnswer = IDOK);
    // Why a destination cannot be taken: the box the destination page
    // shows, here or in the log.
    void RefuseDestination(HWND hOwner, DestinationVerdict verdict, const CString& registeredFolder);
    // After a walk: a list of failures is shown in one box, and the files
    // that wait for a restart in another. The run has failed where an item
    // stays that could not be done; else a restart completes it where a
    // file waits.
    void ReportWalk(const CFailureList& failures, const CRestartList& restarts);
    // Whether a copy waits for the restart to take its file's place.
    BOOL CopyWaitsForRestart() const { return m_bCopyWaits; }
    // A line for the log alone.
    void Log(const char* pszText);

    void SetExitCode(int nExitCode) { m_nExitCode = nExitCode; }
    // Writes the log, if one is asked for, closed by the exit code; returns
    // the exit code.
    int Finish();

private:
    BOOL m_bQuiet;
    BOOL m_bCopyWaits;
    int m_nExitCode;
    CString m_strLogFile;
    CString m_strLog;
};
