// The running program's own file: where it lies, and held open for the
// program's life so that nobody can swap it while it runs.
#pragma once
#include "../framework/String.h"

// Folder of the running program file, without a trailing backslash; empty
// when the system cannot tell.
CString GetModuleFolder();
// Whether the open file is the one the module was loaded from.
BOOL IsFileOfModule(HANDLE hFile, HMODULE hModule);
// The running program's own file, opened as OpenInstallSource opens a
// source. INVALID_HANDLE_VALUE when the file at its name is another by now.
HANDLE OpenOwnProgramFile();
