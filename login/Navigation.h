#pragma once

#include <string>

namespace login {

// One navigation request as the engine reports it.
struct Navigation {
    std::wstring url;
    // The top-level document navigates, not a frame.
    bool topLevel = true;
    // The address of the document that navigates (the frame's own for a
    // frame); empty before it has one.
    std::wstring documentUrl;
};

// Why a navigation failed. Transport: no connection, host name not found,
// time-out; no document came. Page: anything else, such as an HTTP error
// status, whose page may still be shown.
enum class NavigationFailure { Transport, Page };

// The failure an engine's status code stands for: an HTTP status, or one of
// the platform's INET_E_ results (0x800C00xx).
NavigationFailure FailureOfStatus(long status);

} // namespace login
