#include "controls/core/EdgeRules.h"

#include "forms/core/Units.h"

#include <gtest/gtest.h>

namespace {

using namespace EdgeRules;

const Rect kWindow{100, 100, 1100, 900};

TEST(HitTestEdge, CornersBeforeEdgesInTheOrderOfTheRules) {
    EXPECT_EQ(HitTestEdge(kWindow, 100, 900), BottomLeft);
    EXPECT_EQ(HitTestEdge(kWindow, 103, 97), TopLeft);
    EXPECT_EQ(HitTestEdge(kWindow, 1105, 895), BottomRight);
    EXPECT_EQ(HitTestEdge(kWindow, 1095, 105), TopRight);
    EXPECT_EQ(HitTestEdge(kWindow, 600, 104), Top);
    EXPECT_EQ(HitTestEdge(kWindow, 1100, 500), Right);
    EXPECT_EQ(HitTestEdge(kWindow, 600, 896), Bottom);
    EXPECT_EQ(HitTestEdge(kWindow, 96, 500), Left);
}

TEST(HitTestEdge, FivePixelsIsTheTolerance) {
    EXPECT_EQ(HitTestEdge(kWindow, 600, 105), Top);
    EXPECT_EQ(HitTestEdge(kWindow, 600, 106), None);
    EXPECT_EQ(HitTestEdge(kWindow, 94, 500), None);
    EXPECT_EQ(HitTestEdge(kWindow, 600, 500), None);
}

TEST(HitTestEdge, TheToleranceAndTheMinimumGrowWithTheScreenDpi) {
    ASSERT_TRUE(forms::SetScreenDpi(192));
    EXPECT_EQ(HitTestEdge(kWindow, 600, 110), Top);
    EXPECT_EQ(HitTestEdge(kWindow, 600, 111), None);
    EXPECT_EQ(DragRect({0, 0, 2000, 2000}, BottomRight, 1600, 1200).right, 2000) << "1600 wide";
    EXPECT_EQ(DragRect({0, 0, 2000, 2000}, BottomRight, 1601, 1201).bottom, 1201);
    forms::SetScreenDpi(forms::kDesignDpi);
}

TEST(HitTestEdge, EdgeZonesBeginWhereTheCornerToleranceEnds) {
    EXPECT_EQ(HitTestEdge({0, 0, 100, 100}, 0, 5), TopLeft);
    EXPECT_EQ(HitTestEdge({0, 0, 100, 100}, 0, 6), Left);
    EXPECT_EQ(HitTestEdge({0, 0, 100, 100}, 106, 50), None);
}

TEST(DragRect, TheBottomRightCornerStopsAtTheMinimumSize) {
    Rect band = kWindow;
    band = DragRect(band, BottomRight, 1300, 1000);
    EXPECT_EQ(band, (Rect{100, 100, 1300, 1000}));
    band = DragRect(band, BottomRight, 901, 701);
    EXPECT_EQ(band, (Rect{100, 100, 901, 701}));
    band = DragRect(band, BottomRight, 900, 700);
    EXPECT_EQ(band, (Rect{100, 100, 901, 701})) << "800 x 600 would be too small: the edges stay";
    band = DragRect(band, BottomRight, 300, 300);
    EXPECT_EQ(band.right - band.left, 801);
    EXPECT_EQ(band.bottom - band.top, 601);
}

TEST(DragRect, TheLeftEdgesKeepMoreThanTheMinimumToTheRightEdge) {
    EXPECT_EQ(DragRect(kWindow, Left, 299, 0).left, 299);
    EXPECT_EQ(DragRect(kWindow, Left, 300, 0).left, 100);
    const Rect r = DragRect(kWindow, BottomLeft, 250, 950);
    EXPECT_EQ(r, (Rect{250, 100, 1100, 950}));
}

TEST(DragRect, TopZonesHaveNoMinimumButNeverTurnTheRectangleOver) {
    EXPECT_EQ(DragRect(kWindow, Top, 0, 850).top, 850);
    EXPECT_EQ(DragRect(kWindow, Top, 0, 2000).top, 899);
    const Rect topLeft = DragRect(kWindow, TopLeft, 5000, 5000);
    EXPECT_LT(topLeft.left, topLeft.right);
    EXPECT_LT(topLeft.top, topLeft.bottom);
    const Rect topRight = DragRect(kWindow, TopRight, -50, 50);
    EXPECT_GT(topRight.right, topRight.left);
    EXPECT_EQ(topRight.top, 50);
}

TEST(DragRect, NoZoneChangesNothing) {
    EXPECT_EQ(DragRect(kWindow, None, 0, 0), kWindow);
}

} // namespace
