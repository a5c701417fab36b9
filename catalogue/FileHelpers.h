// Small stateless path and file helpers shared by installation, removal and
// the wizard. Paths are multibyte text; only the backslash separates.
#pragma once
#include "../framework/String.h"

// Folder of the running program file, without a trailing backslash; empty
// when the system cannot tell.
CString GetModuleFolder();
// Whether the folder holds a file under a media name (one the install
// renames, "VarnX.ex_" say): the media the product came from, never an
// install of it.
BOOL IsMediaFolder(const CString& folder);
// The Windows system folder; empty when the system cannot tell.
CString GetSystemFolder();
// The all-users Start-menu Programs folder, made if missing; empty when the
// shell cannot name it.
CString GetCommonProgramsFolder();
// The program group's folder in the Programs folder given; empty when that
// folder or the group's name is unknown.
CString GetProgramGroupFolder(const CString& programsFolder);
// folder\name, or the bare name when the folder could not be located: a
// path is never built from the root of the current drive.
CString JoinPath(const CString& folder, const char* name);
// Whether the folder can take an install whose files have names of up to
// nameLength characters, placed and found again: a full path (drive letter,
// colon, backslash, or \\server\share) below a root that exists, not the
// root itself, nor the Windows folder or below it, nor a folder all programs
// or users share (compared in its long form), nor the media, nor a file;
// each name in it one that Windows keeps as written (no forbidden character,
// no device name, no dot or space at its end); short enough for MAX_PATH. A
// trailing backslash names the same folder.
BOOL IsUsableFolder(const CString& path, int nameLength);
// The folder, in its long form, as an install folder of ours may be named:
// empty when IsUsableFolder refuses it, and nothing is deleted in it then.
CString AsInstallFolder(const CString& folder);
// The length of a full path's root, its backslash included ("C:\\",
// "\\\\server\\share\\"); 0 for a path that is not a full one.
int FullPathRootLength(const char* text);
// Where an install goes unless told otherwise: the registered install's
// folder, else VarnX below Program Files on the system drive; empty when
// the system cannot tell.
CString GetDefaultInstallFolder(const CString& registeredFolder);
enum DestinationVerdict
{
    DESTINATION_TAKEN,
    DESTINATION_UNUSABLE,         // refused by IsUsableFolder
    DESTINATION_NOT_REGISTERED,   // another folder than the registered install's
};
// Whether an install may go into destination (as typed: "/" read as a
// backslash, a trailing backslash dropped): a usable folder, and the
// registered install's own when there is one (a second copy would orphan
// the first). destinationLong receives its long form, which is what the
// install uses.
DestinationVerdict CheckDestination(const CString& destination, const CString& registeredFolder,
                                    CString& destinationLong);
// The path as Windows reads it: each "/" a backslash, and pairs of
// backslashes one, but for the two that begin a network path.
CString CollapseSeparators(CString path);
// The path without the backslashes at its end.
CString WithoutTrailingSeparators(CString path);
// The folder of the installed program that the registry names, in its long
// form; empty when it names none, or one that IsUsableFolder refuses.
CString GetRegisteredInstallFolder();
// The text before the last backslash; empty when there is none.
CString GetParentFolder(const CString& path);
// Anything, file or folder, at the path.
BOOL PathExists(const CString& path);
// Creates the folder after its missing parents; false for a folder that
// exists already or one that cannot be made.
BOOL CreateFolderTree(CString path);
// Opens a file to copy from, for reading, so that nobody can write, delete
// or rename it while the handle is open; INVALID_HANDLE_VALUE when it cannot.
HANDLE OpenInstallSource(const CString& path);
// Whether the open file is a plain file (no link of any kind, one name) that
// lies where the full path names it, and not where a junction above it leads.
BOOL IsPlainFileAt(HANDLE hFile, const CString& fullPath);
// Deletes the file once its last handle is closed (Vista on; FALSE before),
// by the handle rather than by a name someone could have moved.
BOOL DeleteOpenFile(HANDLE hFile);
// Whether the open file is the one the module was loaded from.
BOOL IsFileOfModule(HANDLE hFile, HMODULE hModule);
// The running program's own file, opened as OpenInstallSource opens a
// source: held for the program's life, it cannot be swapped while it runs.
// INVALID_HANDLE_VALUE when the file at its name is another by now.
HANDLE OpenOwnProgramFile();
// The temporary file that a copy to target is written into first.
CString GetTemporaryCopyPath(const CString& target);
// Copies the whole of the open source to target: a source whose SHA-256 is
// not pExpectedDigest (null: any) is refused before anything is made; else
// the target's folder is made and the copy written beside the target, its
// SHA-256 taken again from the bytes written; only when that matches too and
// nothing was cut short does it replace target, in one step, with the
// source's last-write time.
// Otherwise an earlier target stays as it was and nothing is left beside it.
// The copy is never read-only, whatever the source was (a CD, say).
BOOL CopyInstallFile(HANDLE hSource, CString target, const BYTE* pExpectedDigest);
// Deletes a file, read-only or not; a file that stays keeps its attributes.
BOOL DeleteInstalledFile(CString path);
