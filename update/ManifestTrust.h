#pragma once

#include <array>
#include <string>
#include <string_view>

// Whether a manifest may be acted on. With a signing key compiled in, only
// one whose last line is a valid signature of everything before it; without
// one, every manifest, as before.
namespace ManifestTrust {

using Point = std::array<unsigned char, 64>; // P-256 X then Y

// The manifest file at `path` (64 KiB at most) against the compiled-in key.
bool Trusted(const std::wstring& path);

// The manifest's bytes against `key`, by the platform's ECDSA.
bool SignedBy(std::string_view manifest, const Point& key);

} // namespace ManifestTrust
