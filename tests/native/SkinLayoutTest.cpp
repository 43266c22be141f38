#include "controls/SkinLayout.h"

#include <gtest/gtest.h>

namespace {

using SkinLayout::Piece;

TEST(SkinLayout, ABarOf7500TwipsTilesFrom300To7800ThenBothCaps) {
    const std::vector<Piece> pieces = SkinLayout::CaptionBar(7500);
    ASSERT_EQ(pieces.size(), 26u + 2);
    for (int i = 1; i <= 26; ++i) {
        EXPECT_EQ(pieces[i - 1], (Piece{300, 0, 300, 545, i * 300, 0})) << i;
    }
    EXPECT_EQ(pieces[26], (Piece{0, 0, 545, 545, 0, 0}));
    EXPECT_EQ(pieces[27], (Piece{410, 0, 1000, 545, 6500, 0})) << "right cap over 6500-7500";
}

TEST(SkinLayout, TheTitleStartsFurtherInWithALogo) {
    EXPECT_EQ(SkinLayout::TitleX(true), 600);
    EXPECT_EQ(SkinLayout::TitleX(false), 150);
}

TEST(SkinLayout, ABorderOf6000By4500TwipsTilesItsThreeSides) {
    const std::vector<Piece> pieces = SkinLayout::Border(6000, 4500);
    ASSERT_EQ(pieces.size(), 21u + 16 + 16 + 2);
    for (int i = 1; i <= 21; ++i) {
        EXPECT_EQ(pieces[i - 1], (Piece{300, 1215, 300, 500, i * 300, 4440})) << "bottom " << i;
    }
    for (int i = 1; i <= 16; ++i) {
        EXPECT_EQ(pieces[20 + i], (Piece{0, 800, 60, 500, 0, i * 300})) << "left " << i;
        EXPECT_EQ(pieces[36 + i], (Piece{1350, 800, 300, 500, 5940, i * 300})) << "right " << i;
    }
    EXPECT_EQ(pieces[53], (Piece{0, 1215, 545, 60, 0, 4440}));
    EXPECT_EQ(pieces[54], (Piece{910, 1215, 500, 60, 5500, 4440}));
}

TEST(SkinLayout, TheMinimiseCoverSitsOnTheRightCap) {
    EXPECT_EQ(SkinLayout::MinimiseCover(7500), (Piece{210, 0, 400, 545, 6670, 0}));
}

} // namespace
