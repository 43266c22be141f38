#include "browser/core/ExternalUrl.h"

#include "browser/core/WebAddress.h"
#include "forms/core/Text.h"

#include <algorithm>

namespace {

// Controls, C1 ones included, and every character Unicode counts as white space.
bool IsBlankOrControl(wchar_t c) {
    if (c <= 0x20 || (c >= 0x7f && c <= 0xa0)) {
        return true;
    }
    switch (c) {
    case 0x1680:
    case 0x2028:
    case 0x2029:
    case 0x202f:
    case 0x205f:
    case 0x3000:
    case 0xfeff:
        return true;
    default:
        return c >= 0x2000 && c <= 0x200a;
    }
}

// Quotes and the characters a command line or a shell could take as its own.
bool IsShellCharacter(wchar_t c) {
    return c == L'"' || c == L'<' || c == L'>' || c == L'^' || c == L'`';
}

} // namespace

bool IsForDefaultBrowser(const std::wstring& url) {
    if (url.size() > browser::kMaxWebAddressLength ||
        std::any_of(url.begin(), url.end(),
                    [](wchar_t c) { return IsBlankOrControl(c) || IsShellCharacter(c); })) {
        return false;
    }
    if (forms::StartsWithNoCase(url, L"mailto:")) {
        return url.size() > 7;
    }
    return browser::ParseWebAddress(url).has_value();
}
