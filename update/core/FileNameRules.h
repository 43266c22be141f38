#pragma once

#include <string_view>

// The names the updater and its journal may put in the install folder.
namespace UpdaterRules {

// False for a name that could leave the install directory or that the
// system treats specially: empty, path separators, drive colons, "..",
// a trailing dot or space, wildcard and redirection characters, devices,
// and "~" before a digit (a short name may alias another file).
bool IsSafeFileName(std::wstring_view name);

} // namespace UpdaterRules
