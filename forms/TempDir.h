#pragma once

#include <string>

namespace forms {

// The user's temporary directory, ending in one backslash.
std::wstring GetTempDir();

} // namespace forms
