#include "Sha256.h"
#include <string.h>

namespace {

const DWORD ROUND_CONSTANTS[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2,
};

const DWORD INITIAL_STATE[8] = { 0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19 };

inline DWORD RotateRight(DWORD x, int n) { return (x >> n) | (x << (32 - n)); }

}

CSha256::CSha256() : m_nBlockUsed(0), m_nTotalBytes(0) { memcpy(m_state, INITIAL_STATE, sizeof m_state); }

void CSha256::Compress(const BYTE block[64])
{
    DWORD w[64];
    for (int t = 0; t < 16; ++t)
        w[t] = (DWORD)block[4 * t] << 24 | (DWORD)block[4 * t + 1] << 16 | (DWORD)block[4 * t + 2] << 8 |
               block[4 * t + 3];
    for (int t = 16; t < 64; ++t) {
        DWORD s0 = RotateRight(w[t - 15], 7) ^ RotateRight(w[t - 15], 18) ^ (w[t - 15] >> 3);
        DWORD s1 = RotateRight(w[t - 2], 17) ^ RotateRight(w[t - 2], 19) ^ (w[t - 2] >> 10);
        w[t] = w[t - 16] + s0 + w[t - 7] + s1;
    }
    DWORD v[8];
    memcpy(v, m_state, sizeof v);
    for (int t = 0; t < 64; ++t) {
        DWORD sum1 = RotateRight(v[4], 6) ^ RotateRight(v[4], 11) ^ RotateRight(v[4], 25);
        DWORD choice = (v[4] & v[5]) ^ (~v[4] & v[6]);
        DWORD temp1 = v[7] + sum1 + choice + ROUND_CONSTANTS[t] + w[t];
        DWORD sum0 = RotateRight(v[0], 2) ^ RotateRight(v[0], 13) ^ RotateRight(v[0], 22);
        DWORD majority = (v[0] & v[1]) ^ (v[0] & v[2]) ^ (v[1] & v[2]);
        memmove(v + 1, v, 7 * sizeof(DWORD));
        v[4] += temp1;
        v[0] = temp1 + sum0 + majority;
    }
    for (int i = 0; i < 8; ++i)
        m_state[i] += v[i];
}

void CSha256::Update(const void* pData, DWORD length)
{
    const BYTE* bytes = static_cast<const BYTE*>(pData);
    m_nTotalBytes += length;
    while (length > 0) {
        DWORD taken = 64 - m_nBlockUsed < length ? 64 - m_nBlockUsed : length;
        memcpy(m_block + m_nBlockUsed, bytes, taken);
        m_nBlockUsed += taken;
        bytes += taken;
        length -= taken;
        if (m_nBlockUsed == 64) {
            Compress(m_block);
            m_nBlockUsed = 0;
        }
    }
}

void CSha256::Final(BYTE digest[SHA256_LENGTH])
{
    // A one bit, zeros, then the length in bits, big-endian, ending a block.
    ULONGLONG totalBits = m_nTotalBytes * 8;
    BYTE padding[72] = { 0x80 };
    DWORD paddingLength = (m_nBlockUsed < 56 ? 56 : 120) - m_nBlockUsed;
    for (int i = 0; i < 8; ++i)
        padding[paddingLength + i] = (BYTE)(totalBits >> (56 - 8 * i));
    Update(padding, paddingLength + 8);
    for (int i = 0; i < 8; ++i)
        for (int b = 0; b < 4; ++b)
            digest[4 * i + b] = (BYTE)(m_state[i] >> (24 - 8 * b));
}
