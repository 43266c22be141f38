#pragma once

#include <string>
#include <vector>

namespace browser {

// The hosts whose pages the client trusts to give it commands: those of the
// compiled-in addresses, and the build's extra list ("a.example.com;
// *.example.net", where "*." stands for any subdomain). Letter case never
// matters.
class OperatorHosts {
public:
    OperatorHosts(const std::vector<std::wstring>& addresses, const std::wstring& extra);

    // host as ParseWebAddress gives it.
    bool Contains(const std::wstring& host) const;
    // An http: or https: address that can be read one way only, on one of the hosts.
    bool IsOperatorPage(const std::wstring& url) const;

private:
    void AddEntry(std::wstring entry);

    std::vector<std::wstring> exact_;
    std::vector<std::wstring> suffixes_; // ".example.net"
};

} // namespace browser
