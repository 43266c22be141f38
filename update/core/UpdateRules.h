#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The update check's decisions, apart from files, dialogs and processes.
// Manifest text arrives already converted to wide characters, so that the
// skipped key is counted in characters, whatever the code page.
namespace UpdateRules {

// The server's version from the manifest text: the first line whose lower
// case contains "version", less its first 8 characters, trimmed of every
// white-space character.
// Nothing when no line names a version.
std::optional<std::wstring> ServerVersion(std::wstring_view manifest);

// major.minor.revision in decimal, as the running program names itself,
// from the four 16-bit fields of its file version (VS_FIXEDFILEINFO's
// dwFileVersionMS and dwFileVersionLS): the revision is the fourth field,
// the third is not read.
std::wstring VersionText(std::uint32_t fileVersionMS, std::uint32_t fileVersionLS);

enum class Outcome { Silent, SayUpToDate, SayFailed, OfferUpdate };

// Which server versions are offered: any that differs as text, or, where
// manifests are signed (an old signed one could be replayed), only a
// higher major.minor.revision, each compared as a number.
enum class VersionRule { AnyOther, HigherOnly };

// What the check does with what it read; `fromMenu` when the user asked.
// Under HigherOnly a version that is not three decimal numbers of at most
// 65535 offers nothing, and is said as a failed check from the menu.
Outcome Decide(const std::optional<std::wstring>& serverVersion, const std::wstring& localVersion,
               bool fromMenu, VersionRule rule);

// The updater's one-string argument for the running executable's full path:
// install directory, "|", install directory \ name ".exe".
std::wstring UpdaterArgument(std::wstring_view exePath);

// Calls `visit(line)` for each line of `text`; CR LF, a lone CR or a lone
// LF ends a line. Stops early when `visit` returns false.
template <class Visit> void ForEachLine(std::wstring_view text, Visit&& visit) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos) {
            end = text.size();
        }
        if (!visit(text.substr(start, end - start))) {
            return;
        }
        start = end + (text.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
    }
}

// Whether the line's lower-case form contains "version".
bool NamesAVersion(std::wstring_view line);

} // namespace UpdateRules
