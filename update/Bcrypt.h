#pragma once

#include <windows.h>

#include <bcrypt.h>

#include <memory>

// Owners of the platform's cryptography handles, shared by the file hash
// and the manifest signature check.
namespace bcrypt {

struct AlgorithmCloser {
    void operator()(BCRYPT_ALG_HANDLE handle) const { BCryptCloseAlgorithmProvider(handle, 0); }
};
struct HashCloser {
    void operator()(BCRYPT_HASH_HANDLE handle) const { BCryptDestroyHash(handle); }
};
struct KeyCloser {
    void operator()(BCRYPT_KEY_HANDLE handle) const { BCryptDestroyKey(handle); }
};
using Algorithm = std::unique_ptr<void, AlgorithmCloser>;
using Hash = std::unique_ptr<void, HashCloser>;
using Key = std::unique_ptr<void, KeyCloser>;

inline bool Succeeded(NTSTATUS status) {
    return status >= 0;
}

// Null when the platform has no such algorithm.
inline Algorithm Open(const wchar_t* name) {
    BCRYPT_ALG_HANDLE handle = nullptr;
    return Algorithm(Succeeded(BCryptOpenAlgorithmProvider(&handle, name, nullptr, 0)) ? handle
                                                                                       : nullptr);
}

// A SHA-256 hash to feed; null on failure.
inline Hash NewSha256(const Algorithm& sha) {
    BCRYPT_HASH_HANDLE handle = nullptr;
    return Hash(sha && Succeeded(BCryptCreateHash(sha.get(), &handle, nullptr, 0, nullptr, 0, 0))
                    ? handle
                    : nullptr);
}

} // namespace bcrypt
