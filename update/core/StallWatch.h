#pragma once

// Tells a transfer that still moves from one that has stalled: from the
// start, and again each time it has gained `minBytes`, it has `window`
// milliseconds to gain `minBytes` more. A server that sends a byte now and
// then can hold a reader for ever otherwise.
class StallWatch {
public:
    StallWatch(unsigned long long window, unsigned long long minBytes, unsigned long long now)
        : window_(window), minBytes_(minBytes), since_(now) {}

    // `received` bytes so far at time `now`; true once stalled. A window of
    // 0 never stalls.
    bool Stalled(unsigned long long now, unsigned long long received);

private:
    unsigned long long window_;
    unsigned long long minBytes_;
    unsigned long long since_;
    unsigned long long mark_ = 0;
};
