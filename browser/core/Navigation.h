#pragma once

#include <string>
#include <vector>

namespace browser {

// One navigation request as the engine reports it.
struct Navigation {
    std::wstring url;
    // The top-level document navigates, not a frame.
    bool topLevel = true;
    // The address of every document the browser shows when the request comes
    // (top first, then frames, depth first; a frame without a document of
    // its own, or on about:blank, as its parent's; "" for one that could not
    // be read). Engines fill it for "app:" addresses only. Who started a
    // navigation the platform's control never says, so a page command is
    // judged by every document that could have.
    std::vector<std::wstring> documents;
    // The user clicked a link. Only engines that can tell say so: the
    // platform's control cannot.
    bool userAsked = false;
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
