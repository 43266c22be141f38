// Apart from WorkAreaRules.cpp: the updater, which only centres its window,
// does not carry these.
#include "forms/core/Units.h"
#include "forms/core/WorkAreaRules.h"

#include <algorithm>

namespace WorkAreaRules {

Rect Maximised(const Monitor& monitor) {
    Rect r = monitor.work;
    const Rect& b = monitor.bounds;
    const unsigned edges = monitor.autoHideEdges;
    // A bar on an edge the work area does not reach is not covered anyway.
    r.left += (edges & kLeft) != 0 && r.left == b.left ? kAutoHideGap : 0;
    r.top += (edges & kTop) != 0 && r.top == b.top ? kAutoHideGap : 0;
    r.right -= (edges & kRight) != 0 && r.right == b.right ? kAutoHideGap : 0;
    r.bottom -= (edges & kBottom) != 0 && r.bottom == b.bottom ? kAutoHideGap : 0;
    return r;
}

int FittingDpi(long designWidth, long designHeight, const Rect& work, int dpi) {
    constexpr int kLowest = forms::kDesignDpi / 2;
    int fitting = dpi;
    while (fitting > kLowest && (forms::ScalePixelsAt(designWidth, fitting) > work.Width() ||
                                 forms::ScalePixelsAt(designHeight, fitting) > work.Height())) {
        --fitting;
    }
    return fitting;
}

} // namespace WorkAreaRules
