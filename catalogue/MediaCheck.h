// CMediaCheck: whether files on the media are the ones the build laid out,
// by their SHA-256 through the system's cryptographic provider. The provider
// is acquired once and kept for every file (acquiring it loads its DLLs anew
// each time), and each media name is checked once: a source that feeds two
// rows gets the same answer for both.
#pragma once
#include "../framework/String.h"
#include "ItemCatalogue.h"
#include <wincrypt.h>

class CMediaCheck
{
public:
    CMediaCheck();
    ~CMediaCheck();

    // Acquires the provider ahead of the first file (it is acquired then
    // otherwise); false when the system has none.
    BOOL AcquireProvider();
    // The SHA-256 of the whole file; false when it cannot be read to its end.
    BOOL ComputeSha256(const CString& path, BYTE digest[SHA256_LENGTH]);
    // Whether the file's digest is the one recorded for its media name; the
    // first answer for a name stands. A name without a digest is never taken.
    BOOL IsBuilt(const CString& path, const char* pszSourceName);

private:
    CMediaCheck(const CMediaCheck&);
    CMediaCheck& operator=(const CMediaCheck&);

    enum Answer
    {
        NOT_CHECKED,
        BUILT,
        NOT_BUILT,
    };

    HCRYPTPROV m_hProvider;
    Answer m_answers[ARRAYSIZE(MediaDigestTable)];
};
