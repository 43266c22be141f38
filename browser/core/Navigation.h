#pragma once

#include <string>

namespace browser {

// One navigation request as the engine reports it.
struct Navigation {
    std::wstring url;
    // The top-level document navigates, not a frame.
    bool topLevel = true;
    // The address of the document that navigates (the frame's own for a
    // frame); empty before it has one.
    std::wstring documentUrl;
};

// Why a navigation failed. ErrorPage: the server answered with an HTTP
// error status, and its page (a maintenance notice, say) is shown.
// NoPage: nothing of the server's will be shown: no connection, host name
// not found, time-out, or an engine that cannot take the page in.
enum class NavigationFailure { NoPage, ErrorPage };

// The failure an engine's status code stands for: an HTTP status, or a
// failure result such as the platform's INET_E_ ones (0x800C00xx).
NavigationFailure FailureOfStatus(long status);

} // namespace browser
