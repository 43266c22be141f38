#include "browser/core/NewWindowGate.h"

namespace browser {

bool NewWindowGate::Allow(bool userAsked, std::uint64_t nowMs) {
    if (!userAsked || (last_ && nowMs - *last_ < kIntervalMs)) {
        return false;
    }
    last_ = nowMs;
    return true;
}

} // namespace browser
