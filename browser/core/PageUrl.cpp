#include "browser/core/PageUrl.h"

#include "forms/core/Text.h"

#include <algorithm>
#include <cwctype>

namespace browser {

namespace {

constexpr std::size_t npos = std::wstring::npos;

// "app://x", "mailto:x", "http://x": a scheme before any '/', '?' or '#'.
bool HasScheme(const std::wstring& reference) {
    const std::size_t colon = reference.find(L':');
    if (colon == 0 || colon == npos || !std::iswalpha(reference[0])) {
        return false;
    }
    for (std::size_t i = 1; i < colon; ++i) {
        const wchar_t c = reference[i];
        if (!std::iswalnum(c) && c != L'+' && c != L'-' && c != L'.') {
            return false;
        }
    }
    return true;
}

struct UrlParts {
    std::wstring scheme;    // "http:"
    std::wstring authority; // "//host:port", or nothing
    std::wstring path;
    std::wstring query; // "?a=b", or nothing; the fragment is dropped
};

UrlParts Split(const std::wstring& url) {
    UrlParts parts;
    std::size_t pos = HasScheme(url) ? url.find(L':') + 1 : 0;
    parts.scheme = url.substr(0, pos);
    if (url.compare(pos, 2, L"//") == 0) {
        const std::size_t end = url.find_first_of(L"/?#", pos + 2);
        parts.authority = url.substr(pos, end == npos ? npos : end - pos);
        pos = end == npos ? url.size() : end;
    }
    const std::size_t pathEnd = std::min(url.find_first_of(L"?#", pos), url.size());
    parts.path = url.substr(pos, pathEnd - pos);
    const std::size_t fragment = std::min(url.find(L'#', pathEnd), url.size());
    parts.query = url.substr(pathEnd, fragment - pathEnd);
    return parts;
}

void DropLastSegment(std::wstring& output) {
    const std::size_t slash = output.rfind(L'/');
    output.erase(slash == npos ? 0 : slash);
}

// "." and ".." segments taken out, as a browser does.
std::wstring RemoveDotSegments(std::wstring input) {
    std::wstring output;
    while (!input.empty()) {
        if (forms::StartsWith(input, L"../")) {
            input.erase(0, 3);
        } else if (forms::StartsWith(input, L"./") || forms::StartsWith(input, L"/./")) {
            input.erase(0, 2);
        } else if (input == L"/.") {
            input = L"/";
        } else if (forms::StartsWith(input, L"/../") || input == L"/..") {
            input = L"/" + input.substr(input.size() > 3 ? 4 : 3);
            DropLastSegment(output);
        } else if (input == L"." || input == L"..") {
            input.clear();
        } else {
            const std::size_t end = std::min(input.find(L'/', 1), input.size());
            output += input.substr(0, end);
            input.erase(0, end);
        }
    }
    return output;
}

} // namespace

std::wstring ResolveUrl(const std::wstring& base, const std::wstring& written) {
    const std::wstring reference(forms::Trim(written, L" \t\r\n"));
    if (HasScheme(reference)) {
        return reference;
    }
    const UrlParts b = Split(base);
    if (reference.empty() || reference[0] == L'#') {
        return b.scheme + b.authority + b.path + b.query + reference;
    }
    if (forms::StartsWith(reference, L"//")) {
        return b.scheme + reference;
    }
    if (reference[0] == L'?') {
        return b.scheme + b.authority + b.path + reference;
    }
    const std::size_t pathEnd = std::min(reference.find_first_of(L"?#"), reference.size());
    std::wstring path = reference.substr(0, pathEnd);
    if (path.empty() || path[0] != L'/') {
        const std::size_t slash = b.path.rfind(L'/');
        const std::wstring directory =
            slash == npos ? (b.authority.empty() ? L"" : L"/") : b.path.substr(0, slash + 1);
        path = directory + path;
    }
    return b.scheme + b.authority + RemoveDotSegments(path) + reference.substr(pathEnd);
}

} // namespace browser
