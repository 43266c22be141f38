#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace browser {

// The longest address the client takes from a page or another program.
inline constexpr std::size_t kMaxWebAddressLength = 2048;

// The parts of an http: or https: address that decide where it leads.
struct WebAddress {
    std::wstring scheme; // "http" or "https"
    // Lower case, one trailing dot dropped; an IPv6 literal keeps its brackets.
    std::wstring host;
    unsigned port = 0;      // the one named, else 80 for http and 443 for https
    bool namesPort = false; // whether the address named it
};

// The scheme, host and port of an http: or https: address, or nothing when the
// address is anything else or could be read two ways: user information
// ("http://op.com@evil.com/"), backslashes, percent signs or other
// characters outside a plain host name, control characters or blanks, a
// bad port, an empty label.
std::optional<WebAddress> ParseWebAddress(const std::wstring& url);

} // namespace browser
