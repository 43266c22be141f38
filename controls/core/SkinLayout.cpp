#include "controls/core/SkinLayout.h"

#include "forms/core/Units.h"

namespace SkinLayout {

namespace {

constexpr int kTile = 300;
constexpr int kCapHeight = 545;
constexpr int kEdge = 60;

} // namespace

PixelPiece ToPixels(const Piece& piece) {
    const forms::PixelSpan sourceX = forms::TwipsSpanToPixels(piece.sourceX, piece.width);
    const forms::PixelSpan sourceY = forms::TwipsSpanToPixels(piece.sourceY, piece.height);
    const forms::PixelSpan x = forms::TwipsSpanToPixels(piece.x, piece.width);
    const forms::PixelSpan y = forms::TwipsSpanToPixels(piece.y, piece.height);
    return {sourceX.start, sourceY.start, sourceX.length, sourceY.length,
            x.start,       y.start,       x.length,       y.length};
}

std::vector<Piece> CaptionBar(int barWidth) {
    std::vector<Piece> pieces;
    for (int i = 1; i <= barWidth / kTile + 1; ++i) {
        pieces.push_back({kTile, 0, kTile, kCapHeight, i * kTile, 0});
    }
    pieces.push_back({0, 0, kCapHeight, kCapHeight, 0, 0});
    pieces.push_back({kSkinWidth - 1000, 0, 1000, kCapHeight, barWidth - 1000, 0});
    return pieces;
}

int TitleX(bool hasLogo) {
    return hasLogo ? 600 : 150;
}

std::vector<Piece> Border(int formWidth, int formHeight) {
    std::vector<Piece> pieces;
    for (int i = 1; i <= formWidth / kTile + 1; ++i) {
        pieces.push_back({kTile, kSkinHeight - kEdge, kTile, kEdge, i * kTile, formHeight - kEdge});
    }
    for (int i = 1; i <= formHeight / kTile + 1; ++i) {
        pieces.push_back({0, 800, kEdge, kTile, 0, i * kTile});
    }
    for (int i = 1; i <= formHeight / kTile + 1; ++i) {
        pieces.push_back({kSkinWidth - kEdge, 800, kEdge, kTile, formWidth - kEdge, i * kTile});
    }
    pieces.push_back({0, kSkinHeight - kEdge, kCapHeight, kEdge, 0, formHeight - kEdge});
    pieces.push_back(
        {kSkinWidth - 500, kSkinHeight - kEdge, 500, kEdge, formWidth - 500, formHeight - kEdge});
    return pieces;
}

Piece MinimiseCover(int barWidth) {
    return {kSkinWidth - 1200, 0, 400, kCapHeight, barWidth - 830, 0};
}

} // namespace SkinLayout
