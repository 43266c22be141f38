#include "browser/core/WebAddress.h"

#include "forms/core/Text.h"

#include <cwctype>

namespace browser {

namespace {

constexpr std::size_t npos = std::wstring::npos;

bool IsAsciiAlnum(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9');
}

std::optional<unsigned> PortOf(const std::wstring& digits) {
    if (digits.empty() || digits.size() > 5) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned>(c - L'0');
    }
    return value <= 65535 ? std::optional<unsigned>(value) : std::nullopt;
}

// "[...]" with hexadecimal digits, colons and dots inside.
bool IsIpv6Literal(const std::wstring& host) {
    if (host.size() < 4 || host.front() != L'[' || host.back() != L']') {
        return false;
    }
    for (std::size_t i = 1; i + 1 < host.size(); ++i) {
        const wchar_t c = host[i];
        if (!std::iswxdigit(c) || c > 0x7f) {
            if (c != L':' && c != L'.') {
                return false;
            }
        }
    }
    return host.find(L':') != npos;
}

// ASCII letters, digits and hyphens in non-empty labels.
bool IsHostName(const std::wstring& host) {
    if (host.empty()) {
        return false;
    }
    std::size_t label = 0;
    for (wchar_t c : host) {
        if (c == L'.') {
            if (label == 0) {
                return false;
            }
            label = 0;
        } else if (IsAsciiAlnum(c) || c == L'-') {
            ++label;
        } else {
            return false;
        }
    }
    return label != 0;
}

// Host and port of "host[:port]"; the port is left at 0 when not named.
std::optional<WebAddress> AuthorityOf(const std::wstring& authority) {
    if (authority.find_first_of(L"@\\%") != npos) {
        return std::nullopt;
    }
    WebAddress address;
    const std::size_t close = authority.rfind(L']');
    const std::size_t colon = authority.find(L':', close == npos ? 0 : close);
    if (colon != npos) {
        const std::optional<unsigned> port = PortOf(authority.substr(colon + 1));
        if (!port) {
            return std::nullopt;
        }
        address.port = *port;
        address.namesPort = true;
    }
    address.host = forms::LowerAscii(authority.substr(0, colon));
    std::wstring& host = address.host;
    if (!host.empty() && host.front() == L'[') {
        return IsIpv6Literal(host) ? std::optional<WebAddress>(address) : std::nullopt;
    }
    if (!host.empty() && host.back() == L'.') {
        host.pop_back();
    }
    return IsHostName(host) ? std::optional<WebAddress>(address) : std::nullopt;
}

} // namespace

std::optional<WebAddress> ParseWebAddress(const std::wstring& url) {
    if (forms::HasControlCharacters(url) || url.find(L' ') != npos) {
        return std::nullopt;
    }
    std::wstring scheme;
    if (forms::StartsWithNoCase(url, L"http://")) {
        scheme = L"http";
    } else if (forms::StartsWithNoCase(url, L"https://")) {
        scheme = L"https";
    } else {
        return std::nullopt;
    }
    const std::size_t start = scheme.size() + 3;
    const std::size_t end = url.find_first_of(L"/?#", start);
    std::optional<WebAddress> address =
        AuthorityOf(url.substr(start, end == npos ? npos : end - start));
    if (!address) {
        return std::nullopt;
    }
    address->scheme = scheme;
    if (!address->namesPort) {
        address->port = scheme == L"http" ? 80 : 443;
    }
    return address;
}

} // namespace browser
