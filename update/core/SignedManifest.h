#pragma once

#include <string_view>

// What a signed manifest must say beyond its signature, so that the
// signature binds the files it installs and the game it is for.
namespace SignedManifest {

// Whether the line right after the first version line is exactly
// "game=" and `game`, and every file line carries a well-formed "sha256=".
bool Whole(std::wstring_view manifest, std::wstring_view game);

} // namespace SignedManifest
