#pragma once

#include <cstdint>
#include <optional>

namespace browser {

// Which of a page's requests for a new window may leave for the default
// browser: only those the user asked for, and at most one a second, so a
// page cannot flood the desktop with windows.
class NewWindowGate {
public:
    static constexpr std::uint64_t kIntervalMs = 1000;

    // nowMs: a steady clock in milliseconds.
    bool Allow(bool userAsked, std::uint64_t nowMs);

private:
    std::optional<std::uint64_t> last_;
};

} // namespace browser
