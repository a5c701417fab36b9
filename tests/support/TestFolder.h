// A temporary folder of the test's own, removed with everything in it.
#pragma once
#include <string>
#include <vector>

class TestFolder
{
public:
    explicit TestFolder(const std::string& name);
    ~TestFolder();
    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// Deletes a folder tree; read-only files included.
void RemoveTree(const std::string& path);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);
std::string ReadFile(const std::string& path);
// The text with each "\n" as "\r\n", as setup writes its log.
std::string WithCrLf(std::string text);
// The files named "<path>.*" beside path: copies and moved-aside files.
std::vector<std::string> FilesBeside(const std::string& path);
// Gives every user write access to a file or folder, or tells whether one
// has it: Wine keeps it as the "other" write bit of the Unix mode.
void MakeWritableByEveryone(const std::string& path);
bool IsWritableByEveryone(const std::string& path);
// Folders of the build: the tests' own, the media, the screenshots (apart
// under WOW64).
std::string TestProgramFolder();
std::string MediaFolder();
std::string ScreenshotFolder();
// A 32-bit program on 64-bit Windows, whose system folder and
// HKLM\SOFTWARE are redirected.
bool RunsUnderWow64();
// The system folder as programs of the tests' width name it; where what
// they put into it lies (SysWOW64 under WOW64); and the system folder of
// the machine's own width, as this program reaches it (through sysnative
// under WOW64).
std::string SystemFolder();
std::string SystemFilesFolder();
std::string NativeSystemFolder();
std::string CommonProgramsFolder();
// Every Program Files folder the machine has, as Windows tells its programs
// (both of 64-bit Windows, whichever width asks).
std::vector<std::string> ProgramFilesFolders();
