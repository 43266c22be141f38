#pragma once

#include "update/core/UpdateRules.h"
#include "update/core/UpdaterRules.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// Whether a manifest may be acted on. With a signing key compiled in, only
// one whose last line is a valid signature of everything before it, and
// which binds its files and its game (SignedManifest::Whole); without one,
// every manifest, as before.
namespace ManifestTrust {

using Point = std::array<unsigned char, 64>; // P-256 X then Y

struct Verified {
    std::wstring text;           // what was verified, in the system's ANSI code page
    UpdaterRules::Sha256 sha256; // of every byte read
};

// The manifest file at `path` (64 KiB at most), read once: the text to act
// on, which with a key is the signed part only. Nothing when it may not be.
std::optional<Verified> Read(const std::wstring& path, std::wstring_view game);

// Which versions a trusted manifest may offer: with a key, higher ones only.
UpdateRules::VersionRule OfferRule();

// The bytes the signature line covers, when it is `key`'s, by the
// platform's ECDSA.
std::optional<std::string_view> SignedBody(std::string_view manifest, const Point& key);

} // namespace ManifestTrust
