// The verified copy: a product file is installed only as the build laid it
// out, written beside its target and put in place in one step.
#pragma once
#include "../framework/String.h"
#include "Sha256.h"

// Opens a file to copy from, for reading, so that nobody can write, delete
// or rename it while the handle is open; INVALID_HANDLE_VALUE when it cannot.
HANDLE OpenInstallSource(const CString& path);
// The SHA-256 of the whole open file, read from its start; false when it
// cannot be read to the end its size gives.
BOOL HashFile(HANDLE hFile, BYTE digest[SHA256_LENGTH]);
// The temporary file that a copy to target is written into first.
CString GetTemporaryCopyPath(const CString& target);
// Copies the whole of the open source to target. A source whose SHA-256 is
// not pExpectedDigest (null: any) is refused before anything is made; else
// the target's folder is made and the copy written beside the target,
// hashed as it is written. Only when that digest matches too, and nothing
// was cut short, does the copy take the source's last-write time and
// replace target in one step. Otherwise the copy goes, and on the NT family
// an earlier target stays as it was; the older family, which cannot replace
// in one step, has deleted it by the time the move fails.
// The copy is never read-only, whatever the source was (a CD, say).
BOOL CopyInstallFile(HANDLE hSource, CString target, const BYTE* pExpectedDigest);
