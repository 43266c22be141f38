#include "update/core/StallWatch.h"

bool StallWatch::Stalled(unsigned long long now, unsigned long long received) {
    if (window_ == 0) {
        return false;
    }
    if (received >= mark_ + minBytes_) {
        mark_ = received;
        since_ = now;
        return false;
    }
    return now - since_ >= window_;
}
