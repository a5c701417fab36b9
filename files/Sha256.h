// CSha256: the SHA-256 of a byte stream (FIPS 180-4), computed by the
// program itself: every Windows it supports can verify its media, and no
// cryptographic provider is loaded for it.
#pragma once
#include <windows.h>

const int SHA256_LENGTH = 32;

class CSha256
{
public:
    CSha256();
    void Update(const void* pData, DWORD length);
    // The digest of everything given so far; the object is spent after it.
    void Final(BYTE digest[SHA256_LENGTH]);

private:
    void Compress(const BYTE block[64]);

    DWORD m_state[8];
    BYTE m_block[64];
    DWORD m_nBlockUsed;
    ULONGLONG m_nTotalBytes;
};
