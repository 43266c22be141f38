// Apart from the rest of the check: a build without a signing key links
// none of the signature's parsing and checking.
#include "update/Bcrypt.h"
#include "update/FileHash.h"
#include "update/ManifestTrust.h"
#include "update/core/ManifestSignature.h"

#include <windows.h>

#include <bcrypt.h>

#include <algorithm>
#include <vector>

namespace ManifestTrust {

std::optional<std::string_view> SignedBody(std::string_view manifest, const Point& key) {
    const std::optional<ManifestSignature::Signed> split = ManifestSignature::Split(manifest);
    const std::optional<UpdaterRules::Sha256> digest =
        split ? BytesSha256(split->body) : std::nullopt;
    const bcrypt::Algorithm ecdsa = bcrypt::Open(BCRYPT_ECDSA_P256_ALGORITHM);
    if (!digest || !ecdsa) {
        return std::nullopt;
    }
    std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB) + key.size());
    const BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, 32};
    std::copy_n(reinterpret_cast<const UCHAR*>(&header), sizeof header, blob.begin());
    std::copy(key.begin(), key.end(), blob.begin() + sizeof header);
    BCRYPT_KEY_HANDLE keyHandle = nullptr;
    if (!bcrypt::Succeeded(BCryptImportKeyPair(ecdsa.get(), nullptr, BCRYPT_ECCPUBLIC_BLOB,
                                               &keyHandle, blob.data(),
                                               static_cast<ULONG>(blob.size()), 0))) {
        return std::nullopt;
    }
    const bcrypt::Key owned(keyHandle);
    ManifestSignature::RawSignature signature = split->signature;
    UpdaterRules::Sha256 hash = *digest;
    const bool verified = bcrypt::Succeeded(
        BCryptVerifySignature(keyHandle, nullptr, hash.data(), static_cast<ULONG>(hash.size()),
                              signature.data(), static_cast<ULONG>(signature.size()), 0));
    return verified ? std::optional<std::string_view>(split->body) : std::nullopt;
}

} // namespace ManifestTrust
