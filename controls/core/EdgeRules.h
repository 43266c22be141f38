#pragma once

#include "forms/core/Rect.h"

// The borderless window's own sizing: which edge zone a point is in, how a
// drag moves the rubber band.
namespace EdgeRules {

using forms::Rect;

// Clockwise from the top: 0 top, 1 top-right, 2 right, 3 bottom-right,
// 4 bottom, 5 bottom-left, 6 left, 7 top-left; -1 none.
enum Zone { None = -1, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left, TopLeft };

// Design pixels.
constexpr long kTolerance = 5;
constexpr long kMinWidth = 800;
constexpr long kMinHeight = 600;

int HitTestEdge(const Rect& window, long x, long y);

// The rubber band after the pointer moved to (x, y) in a drag of `zone`.
// The right, bottom and left edges stop more than the minimum away from the
// opposite edge; the top edges never cross the bottom edge either.
Rect DragRect(const Rect& band, int zone, long x, long y);

} // namespace EdgeRules
