// MD5 from the system's own cryptography provider (BCrypt), for the
// Fingerprint of a program file.
#include <windows.h>

#include <bcrypt.h>

#include "shell/platform.h"

// BCrypt calls report success with a status of 0 or more.
static bool succeeded(NTSTATUS status)
{
    return status >= 0;
}

// Feeds the bytes into an open hash in pieces that fit BCrypt's 32-bit length.
static bool hashBytes(BCRYPT_HASH_HANDLE hash, const unsigned char* bytes, size_t length)
{
    const size_t pieceLimit = 0x40000000;  // 1 GiB
    while (length > 0) {
        ULONG piece = static_cast<ULONG>(length < pieceLimit ? length : pieceLimit);
        if (!succeeded(BCryptHashData(hash, const_cast<PUCHAR>(bytes), piece, 0)))
            return false;
        bytes += piece;
        length -= piece;
    }
    return true;
}

bool platform::md5Digest(const unsigned char* bytes, size_t length, unsigned char digest[16])
{
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (!succeeded(BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_MD5_ALGORITHM, nullptr, 0)))
        return false;
    bool done = false;
    DWORD digestLength = 0;
    ULONG got = 0;
    BCRYPT_HASH_HANDLE hash = nullptr;
    if (succeeded(BCryptGetProperty(algorithm, BCRYPT_HASH_LENGTH,
                                    reinterpret_cast<PUCHAR>(&digestLength), sizeof digestLength,
                                    &got, 0)) &&
        digestLength == 16 &&
        succeeded(BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0))) {
        done = hashBytes(hash, bytes, length) && succeeded(BCryptFinishHash(hash, digest, 16, 0));
        BCryptDestroyHash(hash);
    }
    BCryptCloseAlgorithmProvider(algorithm, 0);
    return done;
}
