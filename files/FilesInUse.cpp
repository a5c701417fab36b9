#include "FilesInUse.h"
#include "../paths/PathText.h"
#include "../windows/WindowsFolders.h"
#include "FileSystem.h"
#include <string.h>

namespace {

const char STAGED_ENDING[] = ".new";
const char ASIDE_ENDING[] = ".old";
// What tells our names apart: the process and a count (hexadecimal).
const char OWN_NAME_MARKS[] = "0123456789abcdef-";

DWORD g_nNextName;

// "<target>.<process>-<count><ending>", OWN_NAME_SUFFIX_LENGTH at the most
// after the target. A process id comes again only
// after its process has ended, and the count starts from the tick count:
// until the next restart no two runs give the same name, so what one run
// asked the restart to do never acts on a later run's file.
CString MakeOwnName(const CString& target, const char* pszEnding)
{
    if (!g_nNextName)
        g_nNextName = ::GetTickCount();
    CString name;
    name.Format("%s.%lx-%lx%s", (const char*)target, ::GetCurrentProcessId(), g_nNextName++, pszEnding);
    return name;
}

// The restart reads its work outside this program's view of the folders.
BOOL AtRestart(const CString& source, const char* pszTarget)
{
    CString target = pszTarget ? GetUnredirectedPath(pszTarget) : CString();
    return ::MoveFileExA(GetUnredirectedPath(source), pszTarget ? (const char*)target : NULL,
                         MOVEFILE_DELAY_UNTIL_REBOOT | (pszTarget ? MOVEFILE_REPLACE_EXISTING : 0));
}

// bMoveAside: a file at a name of ours already is left to the restart where
// it lies.
FileFate Remove(const CString& path, BOOL bMoveAside)
{
    DWORD attributes = ::GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return FILE_ABSENT;
    if (DeleteInstalledFile(path))
        return FILE_DONE;
    CString aside = bMoveAside ? MakeOwnName(path, ASIDE_ENDING) : path;
    return !(attributes & FILE_ATTRIBUTE_DIRECTORY) && (!bMoveAside || ::MoveFileExA(path, aside, 0)) &&
                   AtRestart(aside, NULL)
               ? FILE_DONE_AT_RESTART
               : FILE_FAILED;
}

// Which of our names found is beside the file name: STAGED_ENDING for a
// staged copy (an earlier version's "<name>.new" too), ASIDE_ENDING for a
// moved-aside file, null for any other name.
const char* LeftoverKind(const CString& name, const char* found)
{
    int nameLength = name.GetLength();
    int middleLength = (int)strlen(found) - nameLength - (int)strlen(STAGED_ENDING);
    if (middleLength < 0 || CString(found).Left(nameLength).CompareNoCase(name) != 0)
        return NULL;
    const char* middle = found + nameLength;
    const char* ending = middle + middleLength;
    const char* kind = _stricmp(ending, STAGED_ENDING) == 0 ? STAGED_ENDING
                       : _stricmp(ending, ASIDE_ENDING) == 0 ? ASIDE_ENDING
                                                             : NULL;
    BOOL marked = middleLength > 1 && middle[0] == '.' && (int)strspn(middle + 1, OWN_NAME_MARKS) == middleLength - 1;
    return marked || (middleLength == 0 && kind == STAGED_ENDING) ? kind : NULL;
}

}

CString MakeStagedCopyName(const CString& target) { return MakeOwnName(target, STAGED_ENDING); }

FileFate RemoveFile(const CString& path) { return Remove(path, TRUE); }

FileFate ReplaceInUse(const CString& staged, const CString& target)
{
    DWORD attributes = ::GetFileAttributesA(target);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return FILE_FAILED;
    CString aside = MakeOwnName(target, ASIDE_ENDING);
    if (!::MoveFileExA(target, aside, 0))
        return AtRestart(staged, target) ? FILE_WAITS : FILE_FAILED;
    if (::MoveFileExA(staged, target, 0))
        return Remove(aside, FALSE);
    ::MoveFileExA(aside, target, 0);
    return FILE_FAILED;
}

FileFate RemoveLeftovers(const CString& target)
{
    CString folder = GetParentFolder(target);
    CString name = target.Mid(folder.GetLength() + 1);
    FileFate fate = FILE_ABSENT;
    WIN32_FIND_DATAA found;
    HANDLE hSearch = ::FindFirstFileA(target + ".*", &found);
    if (hSearch == INVALID_HANDLE_VALUE)
        return fate;
    do {
        // A staged copy that stays is moved aside, so that the restart
        // finds nothing at the name it was to move; a moved-aside file that
        // stays is left to the restart.
        const char* kind = LeftoverKind(name, found.cFileName);
        FileFate leftover = kind ? Remove(JoinPath(folder, found.cFileName), kind == STAGED_ENDING) : FILE_ABSENT;
        if (leftover < fate)
            fate = leftover;
    } while (::FindNextFileA(hSearch, &found));
    ::FindClose(hSearch);
    return fate;
}
