#include "update/ManifestTrust.h"

#include "SigningKey.h"
#include "update/Bcrypt.h"
#include "update/ManifestText.h"
#include "update/core/ManifestSignature.h"
#include "update/core/SignedManifest.h"

#include <windows.h>

#include <bcrypt.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace ManifestTrust {

namespace {

using bcrypt::Algorithm;
using bcrypt::Key;
using bcrypt::Open;
using bcrypt::Succeeded;

std::optional<std::array<UCHAR, 32>> Sha256(std::string_view bytes) {
    const Algorithm sha = Open(BCRYPT_SHA256_ALGORITHM);
    const bcrypt::Hash hash = bcrypt::NewSha256(sha);
    std::array<UCHAR, 32> digest{};
    std::vector<UCHAR> data(bytes.begin(), bytes.end());
    const bool hashed =
        hash &&
        Succeeded(BCryptHashData(hash.get(), data.data(), static_cast<ULONG>(data.size()), 0)) &&
        Succeeded(
            BCryptFinishHash(hash.get(), digest.data(), static_cast<ULONG>(digest.size()), 0));
    return hashed ? std::optional<std::array<UCHAR, 32>>(digest) : std::nullopt;
}

} // namespace

std::optional<std::string_view> SignedBody(std::string_view manifest, const Point& key) {
    const std::optional<ManifestSignature::Signed> split = ManifestSignature::Split(manifest);
    const std::optional<std::array<UCHAR, 32>> digest = split ? Sha256(split->body) : std::nullopt;
    const Algorithm ecdsa = Open(BCRYPT_ECDSA_P256_ALGORITHM);
    if (!digest || !ecdsa) {
        return std::nullopt;
    }
    std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB) + key.size());
    const BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, 32};
    std::copy_n(reinterpret_cast<const UCHAR*>(&header), sizeof header, blob.begin());
    std::copy(key.begin(), key.end(), blob.begin() + sizeof header);
    BCRYPT_KEY_HANDLE keyHandle = nullptr;
    if (!Succeeded(BCryptImportKeyPair(ecdsa.get(), nullptr, BCRYPT_ECCPUBLIC_BLOB, &keyHandle,
                                       blob.data(), static_cast<ULONG>(blob.size()), 0))) {
        return std::nullopt;
    }
    const Key owned(keyHandle);
    ManifestSignature::RawSignature signature = split->signature;
    std::array<UCHAR, 32> hash = *digest;
    const bool verified = Succeeded(
        BCryptVerifySignature(keyHandle, nullptr, hash.data(), static_cast<ULONG>(hash.size()),
                              signature.data(), static_cast<ULONG>(signature.size()), 0));
    return verified ? std::optional<std::string_view>(split->body) : std::nullopt;
}

UpdateRules::VersionRule OfferRule() {
    return kManifestSigned ? UpdateRules::VersionRule::HigherOnly
                           : UpdateRules::VersionRule::AnyOther;
}

std::optional<Verified> Read(const std::wstring& path, [[maybe_unused]] std::wstring_view game) {
    const std::optional<std::string> bytes = ReadManifestBytes(path);
    const std::optional<std::array<UCHAR, 32>> digest = bytes ? Sha256(*bytes) : std::nullopt;
    if (!digest) {
        return std::nullopt;
    }
    if constexpr (!kManifestSigned) {
        return Verified{ManifestText(*bytes, CP_ACP), *digest};
    } else {
        Point key{};
        std::copy_n(kSigningPoint, key.size(), key.begin());
        const std::optional<std::string_view> body = SignedBody(*bytes, key);
        std::optional<Verified> manifest;
        if (body) {
            manifest = Verified{ManifestText(std::string(*body), CP_ACP), *digest};
        }
        if (!manifest || !SignedManifest::Whole(manifest->text, game)) {
            return std::nullopt;
        }
        return manifest;
    }
}

} // namespace ManifestTrust
