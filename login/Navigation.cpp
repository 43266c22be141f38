#include "login/Navigation.h"

#include <cstdint>

namespace login {

namespace {

// The platform's transport results: no session, cannot connect, resource
// (host) not found, connection time-out.
constexpr std::uint32_t kTransportResults[] = {0x800C0003u, 0x800C0004u, 0x800C0005u, 0x800C000Bu};

} // namespace

NavigationFailure FailureOfStatus(long status) {
    const auto result = static_cast<std::uint32_t>(status);
    for (std::uint32_t transport : kTransportResults) {
        if (result == transport) {
            return NavigationFailure::Transport;
        }
    }
    return NavigationFailure::Page;
}

} // namespace login
