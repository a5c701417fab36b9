// CHeldFolder: an install folder held open while the install or the
// removal uses it, so that nobody can rename it away and put a link to
// another program's folder in its place: every name below it stays where
// the folder rules took it.
#pragma once
#include "../framework/String.h"

class CHeldFolder
{
public:
    CHeldFolder();
    ~CHeldFolder();

    // Opens the folder itself without sharing its deletion or renaming;
    // FALSE when the name leads to no folder of its own (a link at it or
    // above it; a volume mounted there is no link). The older family opens
    // no folders and has no links: there it always succeeds.
    BOOL Hold(const CString& path);
    // Whether the path still leads to the held folder, as Windows keeps it
    // while it is held; where a system lets it be renamed all the same (as
    // Wine does), whatever stands at its name now is not it.
    BOOL IsAt(const CString& path) const;
    // Whether the held folder is closed to others (see IsClosedToOthers).
    BOOL IsClosedToOthers() const;
    // Gives the held folder at path, and what is in it (but for links and
    // files with a second name), the access list of a folder of ours.
    BOOL Protect(const CString& path) const;

private:
    CHeldFolder(const CHeldFolder&);
    CHeldFolder& operator=(const CHeldFolder&);

    HANDLE m_hFolder;
};
