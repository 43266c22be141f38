#include "forms/core/WorkAreaRules.h"

#include "forms/core/Units.h"

#include <gtest/gtest.h>

namespace {

using WorkAreaRules::Centred;
using WorkAreaRules::KeptInside;
using WorkAreaRules::Rect;

// A 1280 x 1024 monitor with a 40-pixel taskbar on each side in turn, and a
// second 1920 x 1080 monitor left of the primary one with its taskbar at
// the bottom.
constexpr Rect kBottomBar{0, 0, 1280, 984};
constexpr Rect kTopBar{0, 40, 1280, 1024};
constexpr Rect kLeftBar{40, 0, 1280, 1024};
constexpr Rect kRightBar{0, 0, 1240, 1024};
constexpr Rect kLeftMonitor{-1920, 0, 0, 1040};

// The restored main window: 1036 x 639 pixels.
constexpr long kWidth = 1036;
constexpr long kHeight = 639;

TEST(WorkAreaCentred, EachTaskbarSideAndASecondMonitor) {
    EXPECT_EQ(Centred(kBottomBar, kWidth, kHeight), (Rect{122, 172, 1158, 811}));
    EXPECT_EQ(Centred(kTopBar, kWidth, kHeight), (Rect{122, 212, 1158, 851}));
    EXPECT_EQ(Centred(kLeftBar, kWidth, kHeight), (Rect{142, 192, 1178, 831}));
    EXPECT_EQ(Centred(kRightBar, kWidth, kHeight), (Rect{102, 192, 1138, 831}));
    EXPECT_EQ(Centred(kLeftMonitor, kWidth, kHeight), (Rect{-1478, 200, -442, 839}));
}

TEST(WorkAreaCentred, LargerThanTheWorkAreaStartsAtItsCorner) {
    EXPECT_EQ(Centred(kTopBar, 1400, 1100), (Rect{0, 40, 1400, 1140}));
    EXPECT_EQ(Centred(kLeftMonitor, 2000, 500), (Rect{-1920, 270, 80, 770}));
}

TEST(WorkAreaKeptInside, MovedOffEachTaskbar) {
    const Rect underBottom{100, 500, 100 + kWidth, 500 + kHeight};
    EXPECT_EQ(KeptInside(underBottom, kBottomBar), (Rect{100, 345, 1136, 984}));
    const Rect underTop{100, 0, 100 + kWidth, kHeight};
    EXPECT_EQ(KeptInside(underTop, kTopBar), (Rect{100, 40, 1136, 679}));
    const Rect underLeft{0, 100, kWidth, 100 + kHeight};
    EXPECT_EQ(KeptInside(underLeft, kLeftBar), (Rect{40, 100, 1076, 739}));
    const Rect underRight{300, 100, 300 + kWidth, 100 + kHeight};
    EXPECT_EQ(KeptInside(underRight, kRightBar), (Rect{204, 100, 1240, 739}));
}

TEST(WorkAreaKeptInside, AWindowInsideStaysAndALargerOneIsCut) {
    const Rect inside{-1800, 100, -1800 + kWidth, 100 + kHeight};
    EXPECT_EQ(KeptInside(inside, kLeftMonitor), inside);
    const Rect fromPrimary{122, 172, 1158, 811};
    EXPECT_EQ(KeptInside(fromPrimary, kLeftMonitor), (Rect{-1036, 172, 0, 811}));
    EXPECT_EQ(KeptInside(Rect{-10, -10, 1500, 1200}, kBottomBar), kBottomBar);
}

// The maximised window leaves an auto-hide taskbar's edge one pixel free,
// only where the work area reaches that edge of the monitor.
TEST(WorkAreaMaximised, LeavesEachAutoHideEdgeFreeWhereTheWorkAreaReachesIt) {
    using WorkAreaRules::Maximised;
    using WorkAreaRules::Monitor;
    const Rect whole{0, 0, 1280, 1024};
    EXPECT_EQ(Maximised(Monitor{whole, whole, 0}), whole) << "no auto-hide bar";
    EXPECT_EQ(Maximised(Monitor{whole, kBottomBar, 0}), kBottomBar) << "a taskbar that stays";
    EXPECT_EQ(Maximised(Monitor{whole, whole, WorkAreaRules::kBottom}), (Rect{0, 0, 1280, 1023}));
    EXPECT_EQ(Maximised(Monitor{whole, whole, WorkAreaRules::kLeft}), (Rect{1, 0, 1280, 1024}));
    EXPECT_EQ(Maximised(Monitor{whole, whole, WorkAreaRules::kTop | WorkAreaRules::kRight}),
              (Rect{0, 1, 1279, 1024}));
    EXPECT_EQ(Maximised(Monitor{whole, kTopBar, WorkAreaRules::kTop}), kTopBar)
        << "a docked bar already keeps that edge free";
    const Rect left{-1920, 0, 0, 1080};
    EXPECT_EQ(Maximised(Monitor{left, left, WorkAreaRules::kRight | WorkAreaRules::kBottom}),
              (Rect{-1920, 0, -1, 1079}));
}

// The login picture, 1237 x 696 design pixels, on small screens and at high
// scale: the largest DPI at which it fits, never above the system's.
TEST(WorkAreaFittingDpi, TheLargestScaleThatFitsAndNeverAboveTheSystems) {
    using WorkAreaRules::FittingDpi;
    EXPECT_EQ(FittingDpi(1237, 696, Rect{0, 0, 1280, 984}, 96), 96) << "fits as it is";
    EXPECT_EQ(FittingDpi(1237, 696, Rect{0, 0, 2800, 1800}, 192), 192);
    const int small = FittingDpi(1237, 696, Rect{0, 0, 1024, 768}, 96);
    EXPECT_EQ(small, 79);
    EXPECT_LE(forms::ScalePixelsAt(1237, small), 1024);
    EXPECT_GT(forms::ScalePixelsAt(1237, small + 1), 1024) << "the largest that fits";
    const Rect fullHd{0, 0, 1920, 1040};
    const int high = FittingDpi(1237, 696, fullHd, 168);
    EXPECT_EQ(high, 143) << "the height decides here";
    EXPECT_LE(forms::ScalePixelsAt(696, high), 1040);
    EXPECT_EQ(FittingDpi(1237, 696, Rect{0, 0, 1366, 728}, 120), 100) << "1366 x 768 at 125 %";
    EXPECT_EQ(FittingDpi(1237, 696, Rect{0, 0, 100, 100}, 96), 48) << "no lower than half";
}

} // namespace
