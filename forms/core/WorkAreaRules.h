#pragma once

#include "forms/core/Rect.h"

// Where a window goes on a monitor's work area (the monitor less its
// taskbars and docked bars), in screen pixels. Monitors left of or above the
// primary one have negative coordinates.
namespace WorkAreaRules {

using forms::Rect;

// A window of this size centred in the work area. One larger than the work
// area starts at its top-left corner, so that its caption stays reachable.
Rect Centred(const Rect& work, long width, long height);

// The window moved the least way to lie inside the work area, and cut to
// the work area's size where it is larger.
Rect KeptInside(const Rect& window, const Rect& work);

} // namespace WorkAreaRules
