#include "updater/ManifestTrust.h"

#include "SigningKey.h"
#include "forms/Handles.h"
#include "updater/ManifestSignature.h"

#include <windows.h>
#include <bcrypt.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace ManifestTrust {

namespace {

constexpr DWORD kManifestLimit = 64 * 1024;

struct AlgorithmCloser {
    void operator()(BCRYPT_ALG_HANDLE handle) const { BCryptCloseAlgorithmProvider(handle, 0); }
};
struct KeyCloser {
    void operator()(BCRYPT_KEY_HANDLE handle) const { BCryptDestroyKey(handle); }
};
using Algorithm = std::unique_ptr<void, AlgorithmCloser>;
using Key = std::unique_ptr<void, KeyCloser>;

bool Succeeded(NTSTATUS status) {
    return status >= 0;
}

Algorithm Open(const wchar_t* name) {
    BCRYPT_ALG_HANDLE handle = nullptr;
    return Algorithm(Succeeded(BCryptOpenAlgorithmProvider(&handle, name, nullptr, 0)) ? handle
                                                                                       : nullptr);
}

std::optional<std::array<UCHAR, 32>> Sha256(std::string_view bytes) {
    const Algorithm sha = Open(BCRYPT_SHA256_ALGORITHM);
    BCRYPT_HASH_HANDLE hash = nullptr;
    std::array<UCHAR, 32> digest{};
    std::vector<UCHAR> data(bytes.begin(), bytes.end());
    const bool ok = sha && Succeeded(BCryptCreateHash(sha.get(), &hash, nullptr, 0, nullptr, 0, 0));
    const bool hashed =
        ok && Succeeded(BCryptHashData(hash, data.data(), static_cast<ULONG>(data.size()), 0)) &&
        Succeeded(BCryptFinishHash(hash, digest.data(), static_cast<ULONG>(digest.size()), 0));
    if (hash != nullptr) {
        BCryptDestroyHash(hash);
    }
    return hashed ? std::optional<std::array<UCHAR, 32>>(digest) : std::nullopt;
}

std::optional<std::string> ReadLimited(const std::wstring& path) {
    forms::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
    std::string bytes(kManifestLimit + 1, '\0');
    DWORD got = 0;
    if (!file || ReadFile(file.get(), bytes.data(), kManifestLimit + 1, &got, nullptr) == FALSE ||
        got > kManifestLimit) {
        return std::nullopt;
    }
    bytes.resize(got);
    return bytes;
}

} // namespace

bool SignedBy(std::string_view manifest, const Point& key) {
    const std::optional<ManifestSignature::Signed> split = ManifestSignature::Split(manifest);
    const std::optional<std::array<UCHAR, 32>> digest = split ? Sha256(split->body) : std::nullopt;
    const Algorithm ecdsa = Open(BCRYPT_ECDSA_P256_ALGORITHM);
    if (!digest || !ecdsa) {
        return false;
    }
    std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB) + key.size());
    const BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, 32};
    std::copy_n(reinterpret_cast<const UCHAR*>(&header), sizeof header, blob.begin());
    std::copy(key.begin(), key.end(), blob.begin() + sizeof header);
    BCRYPT_KEY_HANDLE keyHandle = nullptr;
    if (!Succeeded(BCryptImportKeyPair(ecdsa.get(), nullptr, BCRYPT_ECCPUBLIC_BLOB, &keyHandle,
                                       blob.data(), static_cast<ULONG>(blob.size()), 0))) {
        return false;
    }
    const Key owned(keyHandle);
    ManifestSignature::RawSignature signature = split->signature;
    std::array<UCHAR, 32> hash = *digest;
    return Succeeded(BCryptVerifySignature(keyHandle, nullptr, hash.data(),
                                           static_cast<ULONG>(hash.size()), signature.data(),
                                           static_cast<ULONG>(signature.size()), 0));
}

bool Trusted(const std::wstring& path) {
    if constexpr (!kManifestSigned) {
        return true;
    } else {
        Point key{};
        std::copy_n(kSigningPoint, key.size(), key.begin());
        const std::optional<std::string> manifest = ReadLimited(path);
        return manifest && SignedBy(*manifest, key);
    }
}

} // namespace ManifestTrust
