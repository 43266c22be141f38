#include "browser/core/ExternalUrl.h"

#include <cwctype>

namespace {

bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (static_cast<wchar_t>(std::towlower(text[i])) != prefix[i]) {
            return false;
        }
    }
    return true;
}

bool HasControlCharacters(const std::wstring& text) {
    for (wchar_t c : text) {
        if (c < 0x20 || c == 0x7f) {
            return true;
        }
    }
    return false;
}

} // namespace

bool IsForDefaultBrowser(const std::wstring& url) {
    if (HasControlCharacters(url)) {
        return false;
    }
    const bool web = (StartsWithNoCase(url, L"http://") || StartsWithNoCase(url, L"https://")) &&
                     url.find_first_not_of(L'/', url.find(L':') + 1) != std::wstring::npos;
    return web || (StartsWithNoCase(url, L"mailto:") && url.size() > 7);
}
