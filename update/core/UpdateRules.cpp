#include "update/core/UpdateRules.h"

#include "forms/core/IntegerText.h"
#include "forms/core/Text.h"

#include <array>

namespace UpdateRules {

namespace {

constexpr std::size_t kSkippedCharacters = 8; // the key "version" and one separator

// Every white-space character, not only the ASCII space: a tab, a
// no-break space or an ideographic space typed into the manifest would
// otherwise make every version differ. The byte-order mark goes too.
constexpr wchar_t kWhiteSpace[] = L" \t\n\v\f\r\u0085\u00A0\u1680\u2000\u2001\u2002\u2003"
                                  L"\u2004\u2005\u2006\u2007\u2008\u2009\u200A\u200B\u2028"
                                  L"\u2029\u202F\u205F\u3000\uFEFF";

using Numbers = std::array<std::uint32_t, 3>;

// major.minor.revision as numbers, each as a file version's 16-bit field.
std::optional<Numbers> VersionNumbers(std::wstring_view text) {
    Numbers numbers{};
    std::size_t field = 0;
    std::size_t digits = 0;
    for (const wchar_t c : text) {
        if (c == L'.' && digits > 0 && field + 1 < numbers.size()) {
            ++field;
            digits = 0;
        } else if (c >= L'0' && c <= L'9' && numbers[field] * 10 + (c - L'0') <= 0xFFFF) {
            numbers[field] = numbers[field] * 10 + static_cast<std::uint32_t>(c - L'0');
            ++digits;
        } else {
            return std::nullopt;
        }
    }
    return field + 1 == numbers.size() && digits > 0 ? std::optional<Numbers>(numbers)
                                                     : std::nullopt;
}

} // namespace

std::optional<std::wstring> ServerVersion(std::wstring_view manifest) {
    std::optional<std::wstring> version;
    ForEachLine(manifest, [&version](std::wstring_view line) {
        if (!NamesAVersion(line)) {
            return true;
        }
        version = std::wstring(forms::Trim(line.size() > kSkippedCharacters
                                               ? line.substr(kSkippedCharacters)
                                               : std::wstring_view(),
                                           kWhiteSpace));
        return false;
    });
    return version;
}

std::wstring VersionText(std::uint32_t fileVersionMS, std::uint32_t fileVersionLS) {
    constexpr std::uint32_t kLowWord = 0xFFFF;
    return forms::IntegerText(fileVersionMS >> 16) + L"." +
           forms::IntegerText(fileVersionMS & kLowWord) + L"." +
           forms::IntegerText(fileVersionLS & kLowWord);
}

Outcome Decide(const std::optional<std::wstring>& serverVersion, const std::wstring& localVersion,
               bool fromMenu, VersionRule rule) {
    if (!serverVersion) {
        return Outcome::Silent;
    }
    const Outcome upToDate = fromMenu ? Outcome::SayUpToDate : Outcome::Silent;
    if (rule == VersionRule::AnyOther) {
        return *serverVersion == localVersion ? upToDate : Outcome::OfferUpdate;
    }
    const std::optional<Numbers> server = VersionNumbers(*serverVersion);
    const std::optional<Numbers> local = VersionNumbers(localVersion);
    if (!server || !local) {
        return fromMenu ? Outcome::SayFailed : Outcome::Silent;
    }
    return *server > *local ? Outcome::OfferUpdate : upToDate;
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
