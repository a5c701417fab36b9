// What an install needs to know, however it was asked for: by the wizard's
// pages or by a quiet command line. No folder ends in a backslash; a folder
// the system could not name is empty, and nothing is built on it.
#pragma once
#include "../framework/String.h"

struct InstallSettings
{
    CString m_strInstallPath;
    CString m_strProgramsFolder;  // the all-users Programs folder; the links go into its group
    CString m_strSystemFolder;
    BOOL m_bCreateShortcuts;
    // The running program's own file, held open: what the install folder's
    // Setup.exe is copied from.
    HANDLE m_hSetupProgram;
};
