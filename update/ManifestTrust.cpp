#include "update/ManifestTrust.h"

#include "SigningKey.h"
#include "update/FileHash.h"
#include "update/ManifestText.h"
#include "update/core/SignedManifest.h"

#include <windows.h>

#include <algorithm>

namespace ManifestTrust {

UpdateRules::VersionRule OfferRule() {
    return kManifestSigned ? UpdateRules::VersionRule::HigherOnly
                           : UpdateRules::VersionRule::AnyOther;
}

std::optional<Verified> Read(const std::wstring& path, [[maybe_unused]] std::wstring_view game) {
    const std::optional<std::string> bytes = ReadManifestBytes(path);
    const std::optional<UpdaterRules::Sha256> digest = bytes ? BytesSha256(*bytes) : std::nullopt;
    if (!digest) {
        return std::nullopt;
    }
    if constexpr (!kManifestSigned) {
        return Verified{ManifestText(*bytes, CP_ACP), *digest};
    } else {
        Point key{};
        std::copy_n(kSigningPoint, key.size(), key.begin());
        const std::optional<std::string_view> body = SignedBody(*bytes, key);
        if (!body) {
            return std::nullopt;
        }
        Verified manifest{ManifestText(std::string(*body), CP_ACP), *digest};
        if (!SignedManifest::Whole(manifest.text, game)) {
            return std::nullopt;
        }
        return manifest;
    }
}

} // namespace ManifestTrust
