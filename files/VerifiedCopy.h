// The verified copy: a product file is installed only as the build laid it
// out, written beside its target and put in place in one step.
#pragma once
#include "../framework/String.h"
#include "FilesInUse.h"
#include "Sha256.h"

// Opens a file to copy from, for reading, so that nobody can write, delete
// or rename it while the handle is open; INVALID_HANDLE_VALUE when it cannot.
HANDLE OpenInstallSource(const CString& path);
// Copies the whole of the open source to target. A source whose SHA-256 is
// not pExpectedDigest (null: any) is refused before anything is made; else
// the target's folder is made and the copy written beside the target,
// hashed as it is written, under a name of ours (what earlier runs left
// beside the target goes first). Only when that digest matches too, and
// nothing was cut short, does the copy take the source's last-write time
// and replace target in one step; a target in use is replaced as
// ReplaceInUse does. Otherwise the copy goes, and on the NT family an
// earlier target stays as it was; the older family, which cannot replace
// in one step, has deleted it by the time the move fails.
// The copy is never read-only, whatever the source was (a CD, say).
FileFate CopyInstallFile(HANDLE hSource, CString target, const BYTE* pExpectedDigest);
