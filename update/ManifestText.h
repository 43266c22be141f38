#pragma once

#include <optional>
#include <string>

// The manifest as wide text: bytes in the given code page, or UTF-8 when
// they begin with its byte-order mark (which is dropped).
std::wstring ManifestText(const std::string& bytes, unsigned codePage);

// Reads and converts the file (in the system's ANSI code page); nothing
// when it cannot be opened or holds more than `maxBytes`.
std::optional<std::wstring> ReadManifestText(const std::wstring& path, unsigned long maxBytes);
