#pragma once

#include "forms/core/Rect.h"

// Where the main window puts its controls for a given size. All lengths are
// twips; a rectangle with a negative width or height cannot be placed and is
// skipped, the others still are.
namespace MainLayout {

using forms::Rect;

// False for a rectangle with a negative width or height.
inline bool Placeable(const Rect& r) {
    return r.Width() >= 0 && r.Height() >= 0;
}

struct Places {
    int captionBarWidth;
    int closeLeft, minmaxLeft, minLeft, toolLeft;
    Rect tabStrip;
    int gameSpaceLeft, otherUserLeft;
    Rect page; // Picture1 and pCnt
};

// windowWidth: outer width; innerWidth/innerHeight: client size;
// stripHeight: the tab strip's own height.
Places Compute(int windowWidth, int innerWidth, int innerHeight, int stripHeight);

// Pixel extent of the window region for a client length: one pixel more
// than the client area.
int RegionExtent(int clientTwips);

} // namespace MainLayout
