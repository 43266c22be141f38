#include "controls/core/SkinLayout.h"

#include "forms/core/Units.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using SkinLayout::Piece;

// Whether the pieces' destinations leave no gap along x over [from, to).
bool CoverAlongX(std::vector<Piece> pieces, int from, int to) {
    std::sort(pieces.begin(), pieces.end(),
              [](const Piece& a, const Piece& b) { return a.x < b.x; });
    int covered = from;
    for (const Piece& p : pieces) {
        if (p.x > covered) {
            return false;
        }
        covered = std::max(covered, p.x + p.width);
    }
    return covered >= to;
}

bool CoverAlongY(std::vector<Piece> pieces, int from, int to) {
    for (Piece& p : pieces) {
        std::swap(p.x, p.y);
        std::swap(p.width, p.height);
    }
    return CoverAlongX(pieces, from, to);
}

TEST(SkinLayout, TheCaptionBarIsTiledEdgeToEdgeUnderItsTwoCaps) {
    for (int width : {545, 1000, 7500, 7501, 15540, 28800}) {
        const std::vector<Piece> pieces = SkinLayout::CaptionBar(width);
        ASSERT_GE(pieces.size(), 3u);
        EXPECT_TRUE(CoverAlongX(pieces, 0, width)) << width;
        const Piece& left = pieces[pieces.size() - 2];
        const Piece& right = pieces.back();
        EXPECT_EQ(left.x, 0) << "the left cap is drawn last but one, at the left edge";
        EXPECT_EQ(left.sourceX, 0);
        EXPECT_EQ(right.x + right.width, width) << "the right cap ends at the bar's end";
        EXPECT_EQ(right.sourceX + right.width, SkinLayout::kSkinWidth) << "from the skin's end";
        for (const Piece& tile : std::vector<Piece>(pieces.begin(), pieces.end() - 2)) {
            EXPECT_EQ(tile.sourceX, pieces[0].sourceX) << "every tile is the same middle piece";
            EXPECT_EQ(tile.y, 0);
        }
    }
}

TEST(SkinLayout, TheTitleStartsFurtherInWithALogo) {
    EXPECT_EQ(SkinLayout::TitleX(true), 600);
    EXPECT_EQ(SkinLayout::TitleX(false), 150);
}

TEST(SkinLayout, TheBorderClosesBothSidesAndTheBottomWithCornersLast) {
    for (const auto& [width, height] : {std::pair{6000, 4500}, {6001, 4499}, {15540, 9585}}) {
        const std::vector<Piece> pieces = SkinLayout::Border(width, height);
        std::vector<Piece> bottom, left, right;
        for (const Piece& p : std::vector<Piece>(pieces.begin(), pieces.end() - 2)) {
            // Bottom tiles come from the corners' row of the skin.
            (p.sourceY == pieces.back().sourceY ? bottom : p.x == 0 ? left : right).push_back(p);
        }
        const Piece& leftCorner = pieces[pieces.size() - 2];
        const Piece& rightCorner = pieces.back();
        bottom.push_back(leftCorner);
        bottom.push_back(rightCorner);
        EXPECT_TRUE(CoverAlongX(bottom, 0, width)) << width;
        EXPECT_EQ(leftCorner.x, 0);
        EXPECT_EQ(rightCorner.x + rightCorner.width, width);
        for (const std::vector<Piece>* side : {&left, &right}) {
            ASSERT_FALSE(side->empty());
            EXPECT_TRUE(CoverAlongY(*side, side->front().y, height)) << height;
            EXPECT_LE(side->front().y, 500) << "from under the caption bar";
        }
        EXPECT_EQ(right.front().x, width - 60) << "a 60-twip edge inside the form";
        EXPECT_EQ(bottom.front().y, height - 60);
    }
}

TEST(SkinLayout, TheMinimiseCoverSitsOnTheRightCap) {
    for (int width : {7500, 15540}) {
        const Piece cover = SkinLayout::MinimiseCover(width);
        const Piece cap = SkinLayout::CaptionBar(width).back();
        EXPECT_GE(cover.x, cap.x);
        EXPECT_LE(cover.x + cover.width, cap.x + cap.width);
        EXPECT_EQ(cover.height, cap.height);
    }
}

// At every scale, 175 % among them (where 1350 twips round up and the skin's
// 1410 down), every piece is drawn from inside the scaled skin, and pieces
// that meet in twips meet in pixels.
TEST(SkinLayout, PiecesInPixelsStayInsideTheScaledSkinAtEveryScale) {
    for (int dpi : {96, 120, 144, 168, 192}) {
        ASSERT_TRUE(forms::SetScreenDpi(dpi));
        const int skinWidth = forms::ScaleDesignPixels(SkinLayout::kSkinWidth / 15);
        const int skinHeight = forms::ScaleDesignPixels(SkinLayout::kSkinHeight / 15);
        for (const auto& [width, height] : {std::pair{15540, 9585}, {6001, 4499}, {28800, 16200}}) {
            std::vector<Piece> pieces = SkinLayout::CaptionBar(width);
            const std::vector<Piece> border = SkinLayout::Border(width, height);
            pieces.insert(pieces.end(), border.begin(), border.end());
            pieces.push_back(SkinLayout::MinimiseCover(width));
            for (const Piece& piece : pieces) {
                const SkinLayout::PixelPiece p = SkinLayout::ToPixels(piece);
                EXPECT_GE(p.sourceX, 0);
                EXPECT_GE(p.sourceY, 0);
                EXPECT_LE(p.sourceX + p.sourceWidth, skinWidth)
                    << dpi << " DPI, piece from " << piece.sourceX << " twips";
                EXPECT_LE(p.sourceY + p.sourceHeight, skinHeight)
                    << dpi << " DPI, piece from " << piece.sourceY << " twips";
            }
            const SkinLayout::PixelPiece cap =
                SkinLayout::ToPixels(pieces[pieces.size() - 1 - border.size() - 1]);
            EXPECT_EQ(cap.sourceX + cap.sourceWidth, skinWidth) << "the right cap's last column";
            EXPECT_EQ(cap.x + cap.width, forms::TwipsToPixels(width)) << "ends at the bar's end";
        }
    }
    forms::SetScreenDpi(forms::kDesignDpi);
}

} // namespace
