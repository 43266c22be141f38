#pragma once

#include "update/core/UpdaterRules.h"

#include <optional>
#include <string>
#include <string_view>

// The SHA-256 digest of a file's bytes, by the platform's hashing; nothing
// when the file cannot be read.
std::optional<UpdaterRules::Sha256> FileSha256(const std::wstring& path);

// The same for bytes in memory.
std::optional<UpdaterRules::Sha256> BytesSha256(std::string_view bytes);
