#include "startup/UpdateRules.h"

#include <cctype>

namespace UpdateRules {

namespace {

constexpr std::size_t kSkippedCharacters = 8; // the key "version" and one separator

bool NamesAVersion(std::string_view line) {
    std::string lower(line);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower.find("version") != std::string::npos;
}

std::string TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

} // namespace

std::optional<std::string> ServerVersion(std::string_view manifest) {
    std::size_t start = 0;
    while (start < manifest.size()) {
        std::size_t end = manifest.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = manifest.size();
        }
        const std::string_view line = manifest.substr(start, end - start);
        if (NamesAVersion(line)) {
            return TrimSpaces(line.size() > kSkippedCharacters ? line.substr(kSkippedCharacters)
                                                               : std::string_view());
        }
        // CR LF ends a line; so do a lone CR or LF.
        start = end + (manifest.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return std::nullopt;
}

std::string VersionText(unsigned major, unsigned minor, unsigned revision) {
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

Outcome Decide(const std::optional<std::string>& serverVersion, const std::string& localVersion,
               bool fromMenu) {
    if (!serverVersion) {
        return Outcome::Silent;
    }
    if (*serverVersion == localVersion) {
        return fromMenu ? Outcome::SayUpToDate : Outcome::Silent;
    }
    return Outcome::OfferUpdate;
}

std::wstring UpdaterArgument(std::wstring_view exePath) {
    const std::size_t slash = exePath.find_last_of(L"\\/");
    const std::wstring_view dir =
        slash == std::wstring_view::npos ? std::wstring_view() : exePath.substr(0, slash);
    std::wstring_view name = slash == std::wstring_view::npos ? exePath : exePath.substr(slash + 1);
    const std::size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring_view::npos) {
        name = name.substr(0, dot);
    }
    std::wstring argument(dir);
    argument += L'|';
    argument += dir;
    argument += L'\\';
    argument += name;
    argument += L".exe";
    return argument;
}

} // namespace UpdateRules
