#pragma once

#include "update/core/FileNameRules.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The updater's reading of its argument and of the manifest's file lines,
// apart from files, windows and the network.
namespace UpdaterRules {

using Sha256 = std::array<unsigned char, 32>;

// The one-string argument, split at "|": the install directory (with one
// trailing backslash), the client's executable in place and, from a copy
// that asked for the rights to write, the manifest's full path, a marker and
// the SHA-256 of the manifest that copy verified.
struct Argument {
    std::wstring dir;
    std::wstring exe;
    std::wstring manifest{}; // empty: the user's own temporary folder
    std::optional<Sha256> manifestSha256{};
    bool elevated = false; // started by another copy: never relaunch
};

inline constexpr wchar_t kElevatedMarker[] = L"/elevated";

// The client started as administrator with this switch, then the elevated
// argument, puts a copy of its updater in the install directory (which the
// user cannot write, or no elevation was needed) and runs that copy: never
// one the user could have replaced.
inline constexpr wchar_t kElevatedUpdateSwitch[] = L"/update-elevated ";
inline constexpr wchar_t kElevatedCopyName[] = L"Update.tavrin-elevated.exe";
// The elevated client's exit code when it could not run that copy.
inline constexpr unsigned long kElevatedCopyFailed = 2;

// The elevated argument after the switch, or nothing without the switch.
std::optional<std::wstring> ElevatedUpdateArgument(std::wstring_view command);

// The argument for the copy started with the rights to write: the same
// directory and client, the manifest this copy verified, the marker and the
// manifest's digest.
std::wstring ElevatedArgument(const Argument& argument, const std::wstring& manifestPath,
                              const Sha256& manifestSha256);

// Whether a manifest read with this digest may be acted on: an elevated
// copy takes only the very bytes the copy that started it verified.
bool AcceptsManifest(const Argument& argument, const Sha256& manifestSha256);

enum class RightsStep { Proceed, Relaunch, GiveUp };

// Whether to update here, to start one copy with the rights to write, or to
// give up: a copy that is elevated, or was started as one, never relaunches.
RightsStep DecideRights(bool canWrite, const Argument& argument, bool runsElevated);

// The whole command-line tail; it may arrive quoted as a whole or piece by
// piece. Nothing when it is empty or names no install directory.
std::optional<Argument> SplitArgument(std::wstring_view tail);

// The text after the last "/" of the URL, or the whole URL without one.
std::wstring GetFileName(std::wstring_view url);

// One file line. `refused` names lines that must not reach the disk; the
// update then cannot complete.
struct FileLine {
    std::wstring url;
    std::wstring name;
    std::optional<Sha256> sha256;
    bool refused = false;
};

// Every file line of the manifest text, in order: lines naming a version
// and lines of fewer than two "|"-fields are skipped. A URL other than
// http: or https:, an unsafe name, a name of the updater's own files, a
// "sha256=" field that is not 64 hex digits, or a name another line also
// names (in any letter case) without the same digest refuses the line.
std::vector<FileLine> FileLines(std::wstring_view manifest);

// What runs when the update ends: the last line's file when the update
// completed and that is an ".exe" directly inside the install directory;
// otherwise the client in place, when it is one. Empty: nothing runs.
std::wstring FileToOpen(const Argument& argument, const std::vector<FileLine>& lines,
                        bool complete);

// Percent of `received` in `total`, in 64 bits, 0 to 100.
int Percent(unsigned long long received, unsigned long long total);

} // namespace UpdaterRules
