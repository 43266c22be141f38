#pragma once

#include <optional>
#include <string>

// A manifest is a few lines: a bigger file is not one, and is neither
// downloaded past this size nor read.
inline constexpr unsigned long kManifestMaxBytes = 64 * 1024;

// The manifest as wide text: bytes in the given code page, or UTF-8 when
// they begin with its byte-order mark (which is dropped).
std::wstring ManifestText(const std::string& bytes, unsigned codePage);

// The file's bytes; nothing when it cannot be read or holds more than
// kManifestMaxBytes.
std::optional<std::string> ReadManifestBytes(const std::wstring& path);
