// An installed Varnolt made by the test itself, straight from the media:
// files, registry entries and shell links, as an installation leaves them.
// Everything the catalogue names is taken away again at the end.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

extern const char UNINSTALL_KEY[];
extern const char PRODUCT_KEY[];
extern const char MAKER_KEY[];
extern const char RUN_KEY[];
extern const char* const LINK_NAMES[4];
extern const char* const INSTALL_FOLDER_FILES[3];
extern const char* const SYSTEM_FOLDER_FILES[2];

// Lays out the installed state; what was there of the catalogue goes first.
void MakeInstalledState(const std::string& installFolder);

// The installed state for the life of a test.
class InstalledState
{
public:
    explicit InstalledState(const std::string& installFolder);
    ~InstalledState();

    std::string GroupFolder() const;
    std::string LinkPath(int row) const;
    std::string SetupPath() const { return m_installFolder + "\\Setup.exe"; }

private:
    std::string m_installFolder;
};

// Removes everything the catalogue names, wherever it is left, and what
// setup moved aside in the system folder.
void RemoveCatalogueItems();
// What waits for the next restart: the operations as Windows keeps them,
// each name ended by "\0".
std::string PendingFileRenames();

// The registry view the build under test writes HKLM\SOFTWARE in (the
// 32-bit one, WOW6432Node, for the 32-bit build on 64-bit Windows), and the
// other one of 64-bit Windows; 0, the default view, where there is no other.
// The tests name the view they read, as a program of either width can.
REGSAM ProgramView();
REGSAM OtherView();
bool KeyExists(HKEY root, const std::string& subkey, REGSAM view = ProgramView());
bool ValueExists(HKEY root, const std::string& subkey, const std::string& name, REGSAM view = ProgramView());
std::string StringValue(HKEY root, const std::string& subkey, const std::string& name, REGSAM view = ProgramView());
void SetStringValue(HKEY root, const std::string& subkey, const std::string& name, const std::string& data,
                    REGSAM view = ProgramView());
// What Windows' Apps list shows, as Wine's own client of the machine's width
// lists it: a line "key|||name" for each entry.
std::string AppsList();
// Saves a link through IShellLinkA.
bool SaveLink(const std::string& linkPath, const std::string& target, const std::string& arguments);

// What a saved link holds, read back through IShellLinkA.
struct LinkProperties
{
    std::string target;
    std::string arguments;
    std::string description;
    std::string workingDirectory;
    int showCommand = -1;
};
bool LoadLink(const std::string& linkPath, LinkProperties& properties);
// Denies (or allows again) DELETE on a key to everyone; a denied key can be
// opened with full access no more.
bool DenyKeyDeletion(HKEY root, const std::string& path, bool denied);
