#include "forms/core/WorkAreaRules.h"

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

} // namespace WorkAreaRules
