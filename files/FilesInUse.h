// Files in use: what cannot be replaced or deleted now is moved aside to a
// name of ours beside it, or replaced at the next restart of Windows; and
// what earlier runs left beside a file goes before a restart can act on it.
#pragma once
#include "../framework/String.h"
#include "Sha256.h"

// What became of a file, from the worst to the best: the fate of several
// is the worst of theirs.
enum FileFate
{
    FILE_FAILED,           // the file stays as it was
    FILE_WAITS,            // the copy takes the file's place at the next restart
    FILE_DONE_AT_RESTART,  // done; what was moved aside goes at the next restart
    FILE_DONE,
    FILE_ABSENT,           // there was nothing to delete
};

// The longest suffix a name of ours beside a file adds to the file's name.
const int LONGEST_SIDE_SUFFIX = 22;
// The ending of a copy written beside its target first.
extern const char STAGED_ENDING[];
// A name beside target, with the ending given, that this program gives once
// only; nothing else may take it from us, so it is made only where it is
// still free.
CString MakeOwnName(const CString& target, const char* pszEnding);
// Deletes the file; or, where it is in use and bLeaveToRestart, moves it
// aside to a name of ours (one moved aside already stays where it is) and
// has the next restart delete it. Only in a folder that nobody else can
// change until then: what lies at a name at the restart is what the restart
// acts on. With a digest, only a file as the build laid it out is removed
// (another is no file of ours: FILE_ABSENT).
FileFate RemoveFile(const CString& path, const BYTE* pExpectedDigest = NULL, BOOL bLeaveToRestart = TRUE);
// Puts staged in the place of target, which could not be replaced now: the
// target moved aside (a running program or a loaded library can be
// renamed), else the copy taking its place at the next restart. Only in a
// folder that nobody else can change until then.
FileFate ReplaceInUse(const CString& staged, const CString& target);
// Removes the copies and the moved-aside files that earlier runs left
// beside target, so that no restart puts an older copy in its place or
// brings a removed file back; what is in use, and with a digest what is
// not as the build laid it out, as RemoveFile does.
FileFate RemoveLeftovers(const CString& target, const BYTE* pExpectedDigest = NULL, BOOL bLeaveToRestart = TRUE);
