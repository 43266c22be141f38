#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A signed manifest, apart from the cryptography: its last line is
// "signature=" and the base64 of a DER ECDSA-SHA256 signature over every
// byte before that line, as openssl writes it. The signature arrives at the
// platform's verifier as r and s, 32 bytes each.
namespace ManifestSignature {

using RawSignature = std::array<unsigned char, 64>;

struct Signed {
    std::string_view body; // every byte before the signature line
    RawSignature signature{};
};

// Nothing unless the last line (a final line break allowed) is a
// well-formed signature line.
std::optional<Signed> Split(std::string_view manifest);

// Strict base64 with padding; nothing for any other character or length.
std::optional<std::vector<unsigned char>> Base64(std::string_view text);

// The DER SEQUENCE of two INTEGERs r and s, in the minimal encoding and
// with nothing after it, as r and s of 32 bytes each.
std::optional<RawSignature> FromDer(const std::vector<unsigned char>& der);

} // namespace ManifestSignature
