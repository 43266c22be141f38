#include "browser/core/ExternalUrl.h"

#include "forms/core/Text.h"

namespace {

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
    const bool web =
        (forms::StartsWithNoCase(url, L"http://") || forms::StartsWithNoCase(url, L"https://")) &&
        url.find_first_not_of(L'/', url.find(L':') + 1) != std::wstring::npos;
    return web || (forms::StartsWithNoCase(url, L"mailto:") && url.size() > 7);
}
