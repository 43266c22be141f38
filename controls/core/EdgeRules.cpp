#include "controls/core/EdgeRules.h"

#include "forms/core/Units.h"

#include <cstdlib>

namespace EdgeRules {

namespace {

// The constants are design pixels, at the screen's DPI here.
long Scaled(long designPixels) {
    return forms::ScaleDesignPixels(static_cast<int>(designPixels));
}
bool Near(long a, long b) {
    return std::labs(a - b) <= Scaled(kTolerance);
}
bool Inside(long v, long low, long high) {
    return low + Scaled(kTolerance) < v && v < high - Scaled(kTolerance);
}

// The top edge may not pass the bottom edge, whatever the drag does.
long BoundedTop(const Rect& band, long y) {
    return y < band.bottom ? y : band.bottom - 1;
}

} // namespace

int HitTestEdge(const Rect& r, long x, long y) {
    if (Near(r.left, x) && Near(r.bottom, y)) {
        return BottomLeft;
    }
    if (Near(r.top, y) && Near(r.left, x)) {
        return TopLeft;
    }
    if (Near(r.right, x) && Near(r.bottom, y)) {
        return BottomRight;
    }
    if (Near(r.right, x) && Near(r.top, y)) {
        return TopRight;
    }
    if (Near(r.top, y) && Inside(x, r.left, r.right)) {
        return Top;
    }
    if (Near(r.right, x) && Inside(y, r.top, r.bottom)) {
        return Right;
    }
    if (Near(r.bottom, y) && Inside(x, r.left, r.right)) {
        return Bottom;
    }
    if (Near(r.left, x) && Inside(y, r.top, r.bottom)) {
        return Left;
    }
    return None;
}

Rect DragRect(const Rect& band, int zone, long x, long y) {
    Rect r = band;
    const bool widerRight = x > r.left + Scaled(kMinWidth);
    const bool widerLeft = r.right - x > Scaled(kMinWidth);
    const long minHeight = Scaled(kMinHeight);
    switch (zone) {
    case Top:
        r.top = BoundedTop(r, y);
        break;
    case TopRight:
        r.top = BoundedTop(r, y);
        r.right = x > r.left ? x : r.left + 1;
        break;
    case Right:
        r.right = widerRight ? x : r.right;
        break;
    case BottomRight:
        r.right = widerRight ? x : r.right;
        r.bottom = y > r.top + minHeight ? y : r.bottom;
        break;
    case Bottom:
        r.bottom = y > r.top + minHeight ? y : r.bottom;
        break;
    case BottomLeft:
        r.left = widerLeft ? x : r.left;
        r.bottom = y > r.top + minHeight ? y : r.bottom;
        break;
    case Left:
        r.left = widerLeft ? x : r.left;
        break;
    case TopLeft:
        r.top = BoundedTop(r, y);
        r.left = x < r.right ? x : r.right - 1;
        break;
    default:
        break;
    }
    return r;
}

} // namespace EdgeRules
