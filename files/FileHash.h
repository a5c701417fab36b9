// The SHA-256 of an open file, read from its start: alone, or as it is
// copied to another file.
#pragma once
#include "Sha256.h"

// False when the file cannot be read to the end its size gives.
BOOL HashFile(HANDLE hFile, BYTE digest[SHA256_LENGTH]);
// Writes the whole source to the target, hashing what it writes; false
// when a read or a write fails or the source ends early.
BOOL CopyHashed(HANDLE hSource, HANDLE hTarget, BYTE digest[SHA256_LENGTH]);
