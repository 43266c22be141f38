#include "browser/core/OperatorHosts.h"

#include "forms/core/Text.h"

#include <algorithm>

namespace browser {

namespace {

bool EndsWith(const std::wstring& text, const std::wstring& suffix) {
    return text.size() > suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::optional<unsigned> NamedPort(const WebAddress& address) {
    return address.namesPort ? std::optional<unsigned>(address.port) : std::nullopt;
}

} // namespace

OperatorHosts::OperatorHosts(const std::vector<std::wstring>& addresses,
                             const std::wstring& extra) {
    for (const std::wstring& address : addresses) {
        if (const auto parsed = ParseWebAddress(address)) {
            entries_.push_back({parsed->host, NamedPort(*parsed)});
        }
    }
    std::size_t start = 0;
    while (start <= extra.size()) {
        const std::size_t end = std::min(extra.find(L';', start), extra.size());
        AddEntry(forms::Trim(std::wstring_view(extra).substr(start, end - start), L" \t"));
        start = end + 1;
    }
}

// An entry is read as the host and port of an address, so it is normalised
// the same way; one that is more (a path, user information) or a wildcard
// over a top-level domain ("*.com") is left out.
void OperatorHosts::AddEntry(std::wstring_view entry) {
    const bool subdomains = forms::StartsWith(entry, L"*.");
    if (subdomains) {
        entry.remove_prefix(2);
    }
    if (entry.find_first_of(L"/?#") != std::wstring_view::npos) {
        return;
    }
    const auto parsed = ParseWebAddress(L"http://" + std::wstring(entry));
    if (!parsed) {
        return;
    }
    if (!subdomains) {
        entries_.push_back({parsed->host, NamedPort(*parsed)});
    } else if (parsed->host.front() != L'[' && parsed->host.find(L'.') != std::wstring::npos) {
        entries_.push_back({L"." + parsed->host, NamedPort(*parsed)});
    }
}

bool OperatorHosts::Contains(const WebAddress& address) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& entry) {
        const bool host = entry.host.front() == L'.' ? EndsWith(address.host, entry.host)
                                                     : address.host == entry.host;
        return host && (!entry.port || *entry.port == address.port);
    });
}

bool OperatorHosts::IsOperatorPage(const std::wstring& url) const {
    const auto parsed = ParseWebAddress(url);
    return parsed && Contains(*parsed);
}

} // namespace browser
