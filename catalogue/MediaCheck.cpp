#include "MediaCheck.h"
#include <string.h>

CMediaCheck::CMediaCheck() : m_hProvider(0)
{
    for (Answer& answer : m_answers)
        answer = NOT_CHECKED;
}

CMediaCheck::~CMediaCheck()
{
    if (m_hProvider)
        ::CryptReleaseContext(m_hProvider, 0);
}

BOOL CMediaCheck::AcquireProvider()
{
    if (!m_hProvider && !::CryptAcquireContextA(&m_hProvider, NULL, NULL, PROV_RSA_AES, CRYPT_VERIFYCONTEXT))
        m_hProvider = 0;
    return m_hProvider != 0;
}

BOOL CMediaCheck::ComputeSha256(const CString& path, BYTE digest[SHA256_LENGTH])
{
    if (!AcquireProvider())
        return FALSE;
    HANDLE hFile = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                                 NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    HCRYPTHASH hHash = 0;
    BOOL hashed = ::CryptCreateHash(m_hProvider, CALG_SHA_256, 0, 0, &hHash);
    BYTE buffer[16384];
    DWORD read = 0;
    while (hashed && (hashed = ::ReadFile(hFile, buffer, sizeof buffer, &read, NULL)) && read > 0)
        hashed = ::CryptHashData(hHash, buffer, read, 0);
    DWORD length = SHA256_LENGTH;
    hashed = hashed && ::CryptGetHashParam(hHash, HP_HASHVAL, digest, &length, 0) && length == SHA256_LENGTH;
    if (hHash)
        ::CryptDestroyHash(hHash);
    ::CloseHandle(hFile);
    return hashed;
}

BOOL CMediaCheck::IsBuilt(const CString& path, const char* pszSourceName)
{
    for (int index = 0; index < (int)ARRAYSIZE(MediaDigestTable); ++index) {
        const MediaDigest& row = MediaDigestTable[index];
        if (strcmp(row.pszSourceName, pszSourceName) != 0)
            continue;
        BYTE digest[SHA256_LENGTH];
        if (m_answers[index] == NOT_CHECKED)
            m_answers[index] = ComputeSha256(path, digest) && memcmp(digest, row.digest, SHA256_LENGTH) == 0
                                   ? BUILT
                                   : NOT_BUILT;
        return m_answers[index] == BUILT;
    }
    return FALSE;
}
