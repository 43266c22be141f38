#include "controls/core/ButtonRules.h"

#include <gtest/gtest.h>

namespace {

using namespace ButtonRules;

constexpr double kHimetric = 26.45836;

TEST(ButtonRules, AStripOf225By22CutsIntoThreeFramesOf75By22) {
    const FrameSize size = FrameSizeOf(225 * kHimetric, 22 * kHimetric, 0);
    EXPECT_EQ(size.width, 75);
    EXPECT_EQ(size.height, 22);
}

TEST(ButtonRules, AToggleStripHasSixFrames) {
    const FrameSize size = FrameSizeOf(150 * kHimetric, 18 * kHimetric, 1);
    EXPECT_EQ(size.width, 25);
    EXPECT_EQ(FrameCount(0), 4);
    EXPECT_EQ(FrameCount(1), 8);
}

TEST(ButtonRules, FrameWidthsRoundHalvesToEven) {
    // 129 pixels over 6 frames is 21.5 pixels a frame.
    EXPECT_EQ(FrameSizeOf(129 * kHimetric, 18 * kHimetric, 1).width, 22);
    // 45 over 6 is 7.5.
    EXPECT_EQ(FrameSizeOf(45 * kHimetric, 18 * kHimetric, 1).width, 8);
    // 27 over 6 is 4.5.
    EXPECT_EQ(FrameSizeOf(27 * kHimetric, 18 * kHimetric, 1).width, 4);
}

// A strip scaled whole, not frame by frame (270 design pixels at 175 % are
// 472): its frames stay inside it, each as near its share as fits.
TEST(ButtonRules, FramesOfAStripScaledWholeStayInsideIt) {
    const int frameWidth = FrameSizeOf(472 * kHimetric, 18 * kHimetric, 1).width;
    ASSERT_EQ(frameWidth, 79);
    EXPECT_EQ(ButtonRules::FrameLeft(0, 472, frameWidth, 1), 0);
    EXPECT_EQ(ButtonRules::FrameLeft(1, 472, frameWidth, 1), 79);
    EXPECT_EQ(ButtonRules::FrameLeft(5, 472, frameWidth, 1), 393);
    for (int width : {225, 297, 472, 451, 473}) {
        const int frame = FrameSizeOf(width * kHimetric, 22 * kHimetric, 0).width;
        for (int i = 0; i < 3; ++i) {
            EXPECT_LE(ButtonRules::FrameLeft(i, width, frame, 0) + frame, width) << width;
        }
    }
    EXPECT_EQ(ButtonRules::FrameLeft(3, 225, 75, 0), 225) << "the disabled frame past the strip";
}

TEST(ButtonRules, AToggleThatIsOnShowsTheSecondHalf) {
    EXPECT_EQ(FrameIndex(Normal, true, 1), 3);
    EXPECT_EQ(FrameIndex(Hover, true, 1), 4);
    EXPECT_EQ(FrameIndex(Pressed, true, 1), 5);
    EXPECT_EQ(FrameIndex(Pressed, false, 1), 2);
    EXPECT_EQ(FrameIndex(Hover, true, 0), 1) << "a push button has no second half";
}

TEST(ButtonRules, TheDisabledFrameLiesPastTheStatesOfItsHalf) {
    EXPECT_EQ(FrameIndex(Disabled, false, 0), 3);
    EXPECT_EQ(FrameIndex(Disabled, false, 1), 3);
    EXPECT_EQ(FrameIndex(Disabled, true, 1), 6);
    EXPECT_LT(FrameIndex(Disabled, true, 1), FrameCount(1));
}

TEST(ButtonRules, CurrentStateFollowsPressAndPointer) {
    EXPECT_EQ(CurrentState(false, true, true), Disabled);
    EXPECT_EQ(CurrentState(true, true, true), Pressed);
    EXPECT_EQ(CurrentState(true, true, false), Normal) << "dragged off while held";
    EXPECT_EQ(CurrentState(true, false, true), Hover);
    EXPECT_EQ(CurrentState(true, false, false), Normal);
}

} // namespace
