#pragma once

#include <string>

namespace browser {

// The absolute address a reference written on the page at base points to.
std::wstring ResolveUrl(const std::wstring& base, const std::wstring& reference);

} // namespace browser
