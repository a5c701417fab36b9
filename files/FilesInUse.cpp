#include "FilesInUse.h"
#include "../paths/PathText.h"
#include "../windows/WindowsFolders.h"
#include "FileHash.h"
#include "FileSystem.h"
#include <mbstring.h>
#include <string.h>

const char STAGED_ENDING[] = ".new";

namespace {

const char ASIDE_ENDING[] = ".old";
// What tells our names apart: the process and a count (hexadecimal).
const char OWN_NAME_MARKS[] = "0123456789abcdef-";

DWORD g_nNextName;

// The restart reads its work outside this program's view of the folders.
BOOL AtRestart(const CString& source, const char* pszTarget)
{
    CString target = pszTarget ? GetUnredirectedPath(pszTarget) : CString();
    return ::MoveFileExA(GetUnredirectedPath(source), pszTarget ? (const char*)target : NULL,
                         MOVEFILE_DELAY_UNTIL_REBOOT | (pszTarget ? MOVEFILE_REPLACE_EXISTING : 0));
}

// Whether text ends in ending, in any case.
BOOL EndsIn(const char* text, const char* ending)
{
    int length = (int)strlen(text) - (int)strlen(ending);
    return length >= 0 && _mbsicmp(reinterpret_cast<const unsigned char*>(text + length),
                                   reinterpret_cast<const unsigned char*>(ending)) == 0;
}

// Whether found is one of our names beside the file name: a staged copy
// (an earlier version's "<name>.new" too) or a moved-aside file.
BOOL IsLeftoverOf(const char* name, const char* found)
{
    int nameLength = (int)strlen(name);
    int middleLength = (int)strlen(found) - nameLength - (int)strlen(STAGED_ENDING);
    if (middleLength < 0 || CString(found).Left(nameLength).CompareNoCase(name) != 0)
        return FALSE;
    const char* middle = found + nameLength;
    BOOL staged = EndsIn(found, STAGED_ENDING);
    // The endings hold no dash.
    BOOL marked = middle[0] == '.' && strchr(middle, '-') && (staged || EndsIn(found, ASIDE_ENDING));
    for (int i = 1; marked && i < middleLength; ++i)
        marked = strchr(OWN_NAME_MARKS, middle[i]) != NULL;
    return marked || (middleLength == 0 && staged);
}

}

// "<target>.<process>-<count><ending>", LONGEST_SIDE_SUFFIX at the most
// after the target. A process id comes again only after its process has
// ended, and the count starts from the tick count: until the next restart
// no two runs give the same name, so what one run asked the restart to do
// never acts on a later run's file.
CString MakeOwnName(const CString& target, const char* pszEnding)
{
    if (!g_nNextName)
        g_nNextName = ::GetTickCount();
    CString name;
    name.Format("%s.%lx-%lx%s", (const char*)target, ::GetCurrentProcessId(), g_nNextName++, pszEnding);
    return name;
}

FileFate RemoveFile(const CString& path, const BYTE* pExpectedDigest, BOOL bLeaveToRestart)
{
    if (!PathExists(path))
        return FILE_ABSENT;
    if (DeleteInstalledFile(path, pExpectedDigest))
        return FILE_DONE;
    // In use, then, or not ours. It is held while it is checked and moved,
    // so that nobody writes it meanwhile: only a plain file is moved, never
    // a link or one name of several; where a digest is given, one that is
    // not as the build laid it out is someone else's. One moved aside
    // already stays at its name, which is ours.
    HANDLE hFile = OpenName(path, GENERIC_READ | FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_DELETE);
    BY_HANDLE_FILE_INFORMATION information;
    BYTE digest[SHA256_LENGTH];
    BOOL plain = ::GetFileInformationByHandle(hFile, &information) && IsPlainFile(information);
    if (plain && pExpectedDigest && !(HashFile(hFile, digest) && memcmp(digest, pExpectedDigest, SHA256_LENGTH) == 0)) {
        ::CloseHandle(hFile);
        return FILE_ABSENT;
    }
    BOOL movedAside = EndsIn(path, ASIDE_ENDING);
    CString aside = movedAside ? path : MakeOwnName(path, ASIDE_ENDING);
    // Not read-only any more, or the restart could not delete it.
    FileFate fate = bLeaveToRestart && plain && (movedAside || ::MoveFileExA(path, aside, 0)) &&
                            SetAttributesOf(hFile, information.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY) &&
                            AtRestart(aside, NULL)
                        ? FILE_DONE_AT_RESTART
                        : FILE_FAILED;
    ::CloseHandle(hFile);
    return fate;
}

FileFate ReplaceInUse(const CString& staged, const CString& target)
{
    // Only a plain file is moved aside or replaced at the restart: a link,
    // or one name of several, is not ours to leave to it.
    HANDLE hTarget =
        OpenName(target, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    BY_HANDLE_FILE_INFORMATION information;
    BOOL plain = ::GetFileInformationByHandle(hTarget, &information) && IsPlainFile(information);
    ::CloseHandle(hTarget);
    if (!plain)
        return FILE_FAILED;
    CString aside = MakeOwnName(target, ASIDE_ENDING);
    if (!::MoveFileExA(target, aside, 0))
        return AtRestart(staged, target) ? FILE_WAITS : FILE_FAILED;
    if (::MoveFileExA(staged, target, 0))
        return RemoveFile(aside);
    ::MoveFileExA(aside, target, 0);
    return FILE_FAILED;
}

FileFate RemoveLeftovers(const CString& target, const BYTE* pExpectedDigest, BOOL bLeaveToRestart)
{
    CString folder = GetParentFolder(target) + "\\";
    FileFate fate = FILE_ABSENT;
    WIN32_FIND_DATAA found;
    HANDLE hSearch = ::FindFirstFileA(target + ".*", &found);
    if (hSearch == INVALID_HANDLE_VALUE)
        return fate;
    do {
        // A staged copy that stays is moved aside, so that the restart
        // finds nothing at the name it was to move.
        FileFate leftover = IsLeftoverOf((const char*)target + folder.GetLength(), found.cFileName)
                                ? RemoveFile(folder + found.cFileName, pExpectedDigest, bLeaveToRestart)
                                : FILE_ABSENT;
        if (leftover < fate)
            fate = leftover;
    } while (::FindNextFileA(hSearch, &found));
    ::FindClose(hSearch);
    return fate;
}
