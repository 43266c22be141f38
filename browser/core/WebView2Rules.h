#pragma once

#include "browser/core/Navigation.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace browser {

// What the WebView2 engine reads from outside (the registry, a runtime file,
// a script's answer), checked before use. Portable: no windows.h.

// A registered runtime version: one to four groups of at most five digits
// joined by dots, and not 0.0.0.0 (what an uninstalled runtime leaves). It
// becomes a folder name, so nothing else may pass.
bool IsRuntimeVersion(const std::wstring& text);

// The machine field of a Portable Executable's file header (0x14c: x86,
// 0x8664: x64), from the file's first bytes; none when they are not one.
std::optional<std::uint16_t> PeMachine(const unsigned char* bytes, std::size_t size);

// The failure a finished navigation stands for, from its success and the
// runtime's web error status: none for a success or one the client itself
// cancelled; NoPage only for transport failures (no connection, name not
// found, time-out, reset, certificate refused); ErrorPage for the rest,
// such as a server's HTTP error page, which is shown.
std::optional<NavigationFailure> FailureOfWebError(bool success, int webErrorStatus);

// A count that a script returned as JSON (a plain non-negative integer);
// none for anything else.
std::optional<std::size_t> JsonCount(const std::wstring& json);

// A CSS keyword the engine may put into its own script: letters and '-'
// only, at most 32 of them.
bool IsCssKeyword(const std::wstring& value);

} // namespace browser
