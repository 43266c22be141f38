#pragma once

#include <vector>

// Where the pieces of the frame skin (bitmap 108, 1410 x 1275 twips) go on
// the caption bar and on the host form's border. All lengths are twips.
namespace SkinLayout {

constexpr int kSkinWidth = 1410;
constexpr int kSkinHeight = 1275;
constexpr int kBarHeight = 500;

// One copy of a skin rectangle to the same size at a destination.
struct Piece {
    int sourceX, sourceY, width, height;
    int x, y;
    bool operator==(const Piece& other) const {
        return sourceX == other.sourceX && sourceY == other.sourceY && width == other.width &&
               height == other.height && x == other.x && y == other.y;
    }
};

// A piece in pixels at the screen's DPI.
struct PixelPiece {
    int sourceX, sourceY, sourceWidth, sourceHeight;
    int x, y, width, height;
};
// Source and destination converted by their edges (forms::TwipsSpanToPixels):
// tiles that meet still meet, and a piece that ends at the skin's edge ends on
// its last pixel at every scale (the two sizes may then differ by a pixel).
PixelPiece ToPixels(const Piece& piece);

// Middle tiles, then the left cap, then the right cap, for a bar W wide.
std::vector<Piece> CaptionBar(int barWidth);
// The title's left edge on the bar.
int TitleX(bool hasLogo);
constexpr int kTitleY = 150;

// Bottom tiles, left tiles, right tiles, then the two bottom corners; every
// piece lies inside the skin.
std::vector<Piece> Border(int formWidth, int formHeight);

// The piece that covers the minimise area of the right cap.
Piece MinimiseCover(int barWidth);

} // namespace SkinLayout
