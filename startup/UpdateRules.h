#pragma once

#include <optional>
#include <string>
#include <string_view>

// The update check's decisions, apart from files, dialogs and processes.
namespace UpdateRules {

// The server's version from the manifest text: the first line whose lower
// case contains "version", less its first 8 characters, trimmed of spaces.
// Nothing when no line names a version.
std::optional<std::string> ServerVersion(std::string_view manifest);

// major.minor.revision in decimal, as the running program names itself.
std::string VersionText(unsigned major, unsigned minor, unsigned revision);

enum class Outcome { Silent, SayUpToDate, OfferUpdate };

// What the check does with what it read; `fromMenu` when the user asked.
Outcome Decide(const std::optional<std::string>& serverVersion, const std::string& localVersion,
               bool fromMenu);

// The updater's one-string argument for the running executable's full path:
// install directory, "|", install directory \ name ".exe".
std::wstring UpdaterArgument(std::wstring_view exePath);

} // namespace UpdateRules
