#include "updater/FileHash.h"

#include "forms/Handles.h"

#include <windows.h>
#include <bcrypt.h>

#include <memory>
#include <vector>

namespace {

struct AlgorithmCloser {
    void operator()(BCRYPT_ALG_HANDLE handle) const { BCryptCloseAlgorithmProvider(handle, 0); }
};
struct HashCloser {
    void operator()(BCRYPT_HASH_HANDLE handle) const { BCryptDestroyHash(handle); }
};
using Algorithm = std::unique_ptr<void, AlgorithmCloser>;
using Hash = std::unique_ptr<void, HashCloser>;

bool Succeeded(NTSTATUS status) {
    return status >= 0;
}

} // namespace

std::optional<UpdaterRules::Sha256> FileSha256(const std::wstring& path) {
    forms::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    BCRYPT_ALG_HANDLE algorithmHandle = nullptr;
    if (!file || !Succeeded(BCryptOpenAlgorithmProvider(&algorithmHandle, BCRYPT_SHA256_ALGORITHM,
                                                        nullptr, 0))) {
        return std::nullopt;
    }
    Algorithm algorithm(algorithmHandle);
    BCRYPT_HASH_HANDLE hashHandle = nullptr;
    if (!Succeeded(BCryptCreateHash(algorithmHandle, &hashHandle, nullptr, 0, nullptr, 0, 0))) {
        return std::nullopt;
    }
    Hash hash(hashHandle);
    std::vector<UCHAR> block(64 * 1024);
    DWORD got = 0;
    while (ReadFile(file.get(), block.data(), static_cast<DWORD>(block.size()), &got, nullptr) !=
               FALSE &&
           got > 0) {
        if (!Succeeded(BCryptHashData(hashHandle, block.data(), got, 0))) {
            return std::nullopt;
        }
    }
    UpdaterRules::Sha256 digest{};
    if (!Succeeded(
            BCryptFinishHash(hashHandle, digest.data(), static_cast<ULONG>(digest.size()), 0))) {
        return std::nullopt;
    }
    return digest;
}
