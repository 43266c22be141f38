#pragma once

#include "browser/core/WebAddress.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace browser {

// The hosts whose pages the client trusts to give it commands, with letter
// case never mattering:
// - those of the compiled-in addresses: on the port an address names, or on
//   any port when it names none (an http: page that moves to https: stays
//   trusted);
// - the build's extra list, "a.example.com;*.example.net:8443;[::1]:8641":
//   "*." stands for any subdomain of a name of two labels or more, and a port,
//   where one is given, is the only one that counts.
class OperatorHosts {
public:
    OperatorHosts(const std::vector<std::wstring>& addresses, const std::wstring& extra);

    // An http: or https: address that can be read one way only, on one of the
    // hosts and ports.
    bool IsOperatorPage(const std::wstring& url) const;

private:
    struct Entry {
        std::wstring host;            // ".example.net" for its subdomains
        std::optional<unsigned> port; // none: any port
    };

    void AddEntry(std::wstring_view entry);
    bool Contains(const WebAddress& address) const;

    std::vector<Entry> entries_;
};

} // namespace browser
