#pragma once

#include "forms/core/Rect.h"

// Where a window goes on a monitor's work area (the monitor less its
// taskbars and docked bars), in screen pixels. Monitors left of or above the
// primary one have negative coordinates.
namespace WorkAreaRules {

using forms::Rect;

// Edges of a monitor, as bit flags.
enum Edge : unsigned { kLeft = 1, kTop = 2, kRight = 4, kBottom = 8 };

// One monitor as a window on it sees it.
struct Monitor {
    Rect bounds;
    Rect work;
    // The edges (Edge flags) that hold an auto-hide taskbar.
    unsigned autoHideEdges = 0;

    bool operator==(const Monitor& o) const {
        return bounds == o.bounds && work == o.work && autoHideEdges == o.autoHideEdges;
    }
    bool operator!=(const Monitor& o) const { return !(*this == o); }
};

// An auto-hide taskbar comes up when the pointer reaches its edge, unless a
// window covers the whole monitor: the shell takes that for full screen.
constexpr long kAutoHideGap = 1;

// A window of this size centred in the work area. One larger than the work
// area starts at its top-left corner, so that its caption stays reachable.
Rect Centred(const Rect& work, long width, long height);

// The window moved the least way to lie inside the work area, and cut to
// the work area's size where it is larger.
Rect KeptInside(const Rect& window, const Rect& work);

// The maximised window: the work area, less kAutoHideGap on each edge where
// an auto-hide taskbar sits and the work area reaches the monitor's edge.
Rect Maximised(const Monitor& monitor);

// The largest DPI, at most `dpi`, at which a picture designed at 96 DPI
// (designWidth x designHeight) fits the work area; never below 48.
int FittingDpi(long designWidth, long designHeight, const Rect& work, int dpi);

} // namespace WorkAreaRules
