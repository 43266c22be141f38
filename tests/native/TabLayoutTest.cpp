#include "tabs/core/TabLayout.h"

#include "forms/core/Units.h"

#include <gtest/gtest.h>

namespace {

using namespace TabLayout;

std::vector<Tab> Tabs(int n, int locked = 0) {
    std::vector<Tab> tabs(static_cast<std::size_t>(n));
    for (int i = 0; i < locked; ++i) {
        tabs[static_cast<std::size_t>(i)].lockSize = true;
    }
    return tabs;
}

std::vector<Tab> LaidOut(long style, int area, std::vector<Tab> tabs) {
    LayoutTabs(style, CalcTabWidth(style, area, tabs), tabs);
    return tabs;
}

TEST(CalcTabWidth, LowStyleTabsKeepFullWidthWhileTheyFit) {
    const std::vector<Tab> tabs = LaidOut(0, 600, Tabs(3));
    EXPECT_EQ(CalcTabWidth(0, 600, tabs), 108);
    EXPECT_EQ(tabs[0].left, 14);
    EXPECT_EQ(tabs[1].left, 122);
    EXPECT_EQ(tabs[2].left, 230);
}

TEST(CalcTabWidth, LowStyleTabsShrinkTogetherAndTheLastStaysInside) {
    const std::vector<Tab> tabs = LaidOut(0, 600, Tabs(10));
    EXPECT_EQ(tabs[0].width, 58) << "586 / 10 = 58.6, but 59 would end at 604";
    EXPECT_EQ(tabs[9].left + tabs[9].width, 594);
}

TEST(CalcTabWidth, HighStyleLockedTabsKeepTheirFullWidth) {
    const std::vector<Tab> tabs = LaidOut(1, 680, Tabs(4, 1));
    EXPECT_EQ(tabs[1].width, 153) << "(680 - 200 - 20) / 3 = 153.3";
    EXPECT_EQ(tabs[0].width, 200);
    EXPECT_EQ(tabs[0].left, 0);
    EXPECT_EQ(tabs[1].left, 205);
    EXPECT_EQ(tabs[2].left, 363);
    EXPECT_EQ(tabs[3].left, 521);
}

TEST(CalcTabWidth, AllLockedOrNoTabsGiveTheFullWidth) {
    EXPECT_EQ(CalcTabWidth(0, 100, Tabs(3, 3)), 108);
    EXPECT_EQ(CalcTabWidth(1, 100, Tabs(0)), 200);
}

TEST(CalcTabWidth, RoundsHalvesToEvenWhileTheTabsStayInside) {
    // Low style: (139 - 14) / 2 = 62.5 -> 62
    EXPECT_EQ(CalcTabWidth(0, 139, Tabs(2)), 62);
    // (141 - 14) / 2 = 63.5 -> 64 would end at 142: 63
    EXPECT_EQ(CalcTabWidth(0, 141, Tabs(2)), 63);
    // High style: (137 - 10) / 2 = 63.5 -> 64, ending at 133 inside 137
    EXPECT_EQ(CalcTabWidth(1, 137, Tabs(2)), 64);
    EXPECT_EQ(CalcTabWidth(1, 135, Tabs(2)), 62);
}

TEST(CalcTabWidth, ManyTabsStopAtTheMinimumWidth) {
    EXPECT_EQ(CalcTabWidth(0, 60, Tabs(100)), kMinTabWidth);
    EXPECT_EQ(CalcTabWidth(1, 100, Tabs(5, 1)), kMinTabWidth);
}

// The main window's strip restored with 16 tabs: 566 pixels of tab area.
TEST(CalcTabWidth, ManyTabsStayInsideTheArea) {
    EXPECT_EQ(CalcTabWidth(1, 566, Tabs(16)), 30);
    for (int area = 200; area <= 1200; ++area) {
        for (long style : {0L, 1L}) {
            const std::vector<Tab> tabs = LaidOut(style, area, Tabs(16));
            EXPECT_LE(tabs.back().left + tabs.back().width, area) << area << " style " << style;
        }
    }
}

class HitTestTest : public testing::Test {
protected:
    // A 640-pixel strip with a 40-pixel left margin and a 20-pixel right one.
    Hit At(long style, double x, double y) { return HitTest(style, x, y, 640, 40, 20, tabs); }
    std::vector<Tab> tabs;
};

TEST_F(HitTestTest, CodesForOutsideMarginsAndNoTabs) {
    EXPECT_EQ(At(0, -1, 5).index, -3);
    EXPECT_EQ(At(0, 641, 5).index, -3);
    EXPECT_EQ(At(1, 100, 26).index, -3) << "25 rows count in both styles";
    EXPECT_EQ(At(0, 39, 5).index, -2);
    EXPECT_EQ(At(0, 621, 5).index, -2);
    EXPECT_EQ(At(0, 100, 5).index, -1) << "no tabs";
}

TEST_F(HitTestTest, LowStyleTabsAndTheirCloseSquares) {
    tabs = LaidOut(0, 580, Tabs(3));
    EXPECT_EQ(At(0, 40 + 3, 5).index, 0) << "the first 14 pixels are tab 0";
    EXPECT_EQ(At(0, 40 + 122, 5).index, 0) << "a shared border belongs to the left tab";
    EXPECT_EQ(At(0, 40 + 123, 5).index, 1);
    EXPECT_EQ(At(0, 40 + 400, 5).index, -1) << "past the last tab";
    const Hit close = At(0, 40 + 122 - 24, 6);
    EXPECT_EQ(close.index, 0);
    EXPECT_TRUE(close.close);
    EXPECT_TRUE(At(0, 40 + 122 - 12, 18).close);
    EXPECT_FALSE(At(0, 40 + 122 - 12, 19).close);
    EXPECT_FALSE(At(0, 40 + 122 - 25, 10).close);
}

TEST_F(HitTestTest, HighStyleGapsAndCloseSquares) {
    tabs = LaidOut(1, 580, Tabs(2));
    EXPECT_EQ(At(1, 40 + 202, 10).index, -1) << "in the gap";
    EXPECT_EQ(At(1, 40 + 205, 10).index, 1);
    EXPECT_TRUE(At(1, 40 + 200 - 20, 7).close);
    EXPECT_TRUE(At(1, 40 + 200 - 8, 19).close);
    EXPECT_FALSE(At(1, 40 + 200 - 8, 20).close);
}

TEST_F(HitTestTest, AHiddenButtonIsNeverHot) {
    tabs = LaidOut(0, 580, Tabs(1));
    tabs[0].hideButton = true;
    const Hit hit = At(0, 40 + 122 - 20, 10);
    EXPECT_EQ(hit.index, 0);
    EXPECT_FALSE(hit.close);
}

TEST_F(HitTestTest, ANarrowTabShowsItsCloseBoxOnlyWhenSelected) {
    // Low style: the box and its margin take 24 pixels from the right end.
    tabs = LaidOut(0, 14 + 47 * 12, Tabs(12));
    ASSERT_EQ(tabs[1].width, 47);
    EXPECT_FALSE(ShowsCloseBox(0, tabs[1])) << "the box would take more than half";
    const Hit narrow = At(0, 40 + tabs[1].left + 47 - 24 + 2, 10);
    EXPECT_EQ(narrow.index, 1);
    EXPECT_FALSE(narrow.close) << "a click there selects the tab, never closes it";
    tabs[1].selected = true;
    EXPECT_TRUE(ShowsCloseBox(0, tabs[1]));
    EXPECT_TRUE(At(0, 40 + tabs[1].left + 47 - 24 + 2, 10).close) << "the selected tab keeps it";
    tabs[1].hideButton = true;
    EXPECT_FALSE(ShowsCloseBox(0, tabs[1])) << "a hidden button stays hidden";
    tabs[2].width = 48;
    EXPECT_TRUE(ShowsCloseBox(0, tabs[2])) << "twice the box's room";
    EXPECT_FALSE(ShowsCloseBox(1, {false, false, 0, 39, false})) << "high style: 20 from the end";
    EXPECT_TRUE(ShowsCloseBox(1, {false, false, 0, 40, false}));
}

TEST(TabLayout, EveryLengthGrowsWithTheScreenDpi) {
    ASSERT_TRUE(forms::SetScreenDpi(192));
    EXPECT_EQ(StyleOf(1).height, 64);
    EXPECT_EQ(StyleOf(0).firstLeft, 28);
    const std::vector<Tab> tabs = LaidOut(1, 1200, Tabs(2));
    EXPECT_EQ(tabs[1].left, 410) << "400 wide, a 10-pixel gap";
    // The close button: 40 from the right end, 14 down, 24 square.
    const Hit close = HitTest(1, 400 - 40 + 24, 14 + 24, 1200, 0, 0, tabs);
    EXPECT_EQ(close.index, 0);
    EXPECT_TRUE(close.close);
    EXPECT_FALSE(HitTest(1, 400 - 40 + 25, 14 + 24, 1200, 0, 0, tabs).close);
    EXPECT_EQ(HitTest(1, 100, 50, 1200, 0, 0, tabs).index, 0) << "25 pixels was 50";
    forms::SetScreenDpi(forms::kDesignDpi);
}

} // namespace
