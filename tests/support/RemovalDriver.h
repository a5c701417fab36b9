// Runs Setup.exe's removal and answers it as a person would.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct RemovalOutcome
{
    std::string caption;  // of the final box: "確認" or "ERROR!"
    std::string text;
    std::string restartText;  // of the box about files in use that follows; empty for none
    DWORD exitCode;
};

// Starts program with commandLine (program empty: the line names it, as the
// uninstall entry is run), answers Yes, checks that the progress panel shows
// and is gone before the final box, and answers that box and the one about
// files in use that may follow. Screenshots are named after shotPrefix.
RemovalOutcome RunRemoval(const std::string& program, const std::string& commandLine, const std::string& shotPrefix);

// The final text of a removal that finds nothing left of an install into
// installFolder (empty: a folder that is no install, whose files are named
// bare): every reported registry row and file, none of the links.
std::string NothingLeftReport(const std::string& installFolder);
// The box's text about files in use that a restart completes, listing paths.
std::string RestartReport(const std::vector<std::string>& paths);
