#include "forms/core/WorkAreaRules.h"

#include "forms/core/Units.h"

#include <algorithm>

namespace WorkAreaRules {

namespace {

// The start of a span of `length` inside [low, high), as near `wanted` as fits.
long Fit(long wanted, long length, long low, long high) {
    return std::max(low, std::min(wanted, high - length));
}

} // namespace

Rect Centred(const Rect& work, long width, long height) {
    const long workWidth = work.right - work.left;
    const long workHeight = work.bottom - work.top;
    const long left = Fit(work.left + (workWidth - width) / 2, width, work.left, work.right);
    const long top = Fit(work.top + (workHeight - height) / 2, height, work.top, work.bottom);
    return {left, top, left + width, top + height};
}

Rect KeptInside(const Rect& window, const Rect& work) {
    const long width = std::min(window.right - window.left, work.right - work.left);
    const long height = std::min(window.bottom - window.top, work.bottom - work.top);
    const long left = Fit(window.left, width, work.left, work.right);
    const long top = Fit(window.top, height, work.top, work.bottom);
    return {left, top, left + width, top + height};
}

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
