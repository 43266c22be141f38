#pragma once

// Where the main window puts its controls for a given size. All lengths are
// twips; a rectangle with a negative width or height cannot be placed and is
// skipped, the others still are.
namespace MainLayout {

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool Placeable() const { return width >= 0 && height >= 0; }
};

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
