#include "update/core/ManifestSignature.h"

#include <cstddef>

namespace ManifestSignature {

namespace {

constexpr std::string_view kKey = "signature=";
constexpr std::size_t kHalf = 32;

int Sextet(char c) {
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 26;
    }
    if (c >= '0' && c <= '9') {
        return c - '0' + 52;
    }
    return c == '+' ? 62 : c == '/' ? 63 : -1;
}

// One INTEGER at `at`, positive and minimally encoded, right-aligned into
// `out`; `at` moves past it.
bool ReadInteger(const std::vector<unsigned char>& der, std::size_t& at, unsigned char* out) {
    if (at + 2 > der.size() || der[at] != 0x02) {
        return false;
    }
    std::size_t length = der[at + 1];
    std::size_t start = at + 2;
    if (length == 0 || length > kHalf + 1 || start + length > der.size() ||
        (der[start] & 0x80) != 0) {
        return false;
    }
    if (der[start] == 0) {
        // A leading zero only where the next byte would read as negative.
        if (length == 1 || (der[start + 1] & 0x80) == 0) {
            return false;
        }
        ++start;
        --length;
    }
    if (length > kHalf) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        out[kHalf - length + i] = der[start + i];
    }
    at = start + length;
    return true;
}

} // namespace

std::optional<std::vector<unsigned char>> Base64(std::string_view text) {
    if (text.empty() || text.size() % 4 != 0) {
        return std::nullopt;
    }
    const std::size_t padding = text.substr(text.size() - 2) == "==" ? 2 : text.back() == '=';
    std::vector<unsigned char> bytes;
    unsigned value = 0;
    for (std::size_t i = 0; i < text.size() - padding; ++i) {
        const int sextet = Sextet(text[i]);
        if (sextet < 0) {
            return std::nullopt;
        }
        value = (value << 6) | static_cast<unsigned>(sextet);
        if (i % 4 == 3) {
            bytes.push_back(static_cast<unsigned char>(value >> 16));
            bytes.push_back(static_cast<unsigned char>(value >> 8));
            bytes.push_back(static_cast<unsigned char>(value));
            value = 0;
        }
    }
    if (padding == 2) {
        if ((value & 0xF) != 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<unsigned char>(value >> 4));
    } else if (padding == 1) {
        if ((value & 0x3) != 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<unsigned char>(value >> 10));
        bytes.push_back(static_cast<unsigned char>(value >> 2));
    }
    return bytes;
}

std::optional<RawSignature> FromDer(const std::vector<unsigned char>& der) {
    if (der.size() < 2 || der[0] != 0x30 || der[1] >= 0x80 ||
        static_cast<std::size_t>(der[1]) + 2 != der.size()) {
        return std::nullopt;
    }
    RawSignature raw{};
    std::size_t at = 2;
    if (!ReadInteger(der, at, raw.data()) || !ReadInteger(der, at, raw.data() + kHalf) ||
        at != der.size()) {
        return std::nullopt;
    }
    return raw;
}

std::optional<Signed> Split(std::string_view manifest) {
    std::string_view content = manifest;
    if (!content.empty() && content.back() == '\n') {
        content.remove_suffix(1);
    }
    if (!content.empty() && content.back() == '\r') {
        content.remove_suffix(1);
    }
    const std::size_t newline = content.find_last_of("\r\n");
    const std::size_t lineStart = newline == std::string_view::npos ? 0 : newline + 1;
    const std::string_view line = content.substr(lineStart);
    if (line.substr(0, kKey.size()) != kKey) {
        return std::nullopt;
    }
    const std::optional<std::vector<unsigned char>> der = Base64(line.substr(kKey.size()));
    const std::optional<RawSignature> raw = der ? FromDer(*der) : std::nullopt;
    if (!raw) {
        return std::nullopt;
    }
    return Signed{manifest.substr(0, lineStart), *raw};
}

} // namespace ManifestSignature
