#include "browser/core/OperatorHosts.h"

#include "browser/core/WebAddress.h"
#include "forms/core/Text.h"

#include <algorithm>

namespace browser {

namespace {

bool EndsWith(const std::wstring& text, const std::wstring& suffix) {
    return text.size() > suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

OperatorHosts::OperatorHosts(const std::vector<std::wstring>& addresses,
                             const std::wstring& extra) {
    for (const std::wstring& address : addresses) {
        if (const auto parsed = ParseWebAddress(address)) {
            exact_.push_back(parsed->host);
        }
    }
    std::size_t start = 0;
    while (start <= extra.size()) {
        const std::size_t end = std::min(extra.find(L';', start), extra.size());
        AddEntry(
            std::wstring(forms::Trim(std::wstring_view(extra).substr(start, end - start), L" \t")));
        start = end + 1;
    }
}

// An entry is read as the host of an address, so it is normalised the same
// way; one that is not a plain host is left out.
void OperatorHosts::AddEntry(std::wstring entry) {
    const bool subdomains = entry.rfind(L"*.", 0) == 0;
    if (subdomains) {
        entry.erase(0, 2);
    }
    const auto parsed = ParseWebAddress(L"http://" + entry + L"/");
    const std::size_t dot = !entry.empty() && entry.back() == L'.' ? 1 : 0;
    if (entry.empty() || !parsed || parsed->host.size() != entry.size() - dot) {
        return; // empty, or more than a host (a port, a path)
    }
    if (subdomains) {
        suffixes_.push_back(L"." + parsed->host);
    } else {
        exact_.push_back(parsed->host);
    }
}

bool OperatorHosts::Contains(const std::wstring& host) const {
    if (std::find(exact_.begin(), exact_.end(), host) != exact_.end()) {
        return true;
    }
    return std::any_of(suffixes_.begin(), suffixes_.end(),
                       [&](const std::wstring& suffix) { return EndsWith(host, suffix); });
}

bool OperatorHosts::IsOperatorPage(const std::wstring& url) const {
    const auto parsed = ParseWebAddress(url);
    return parsed && Contains(parsed->host);
}

} // namespace browser
