#include "mainwindow/core/MainLayout.h"

#include "forms/core/Units.h"

namespace MainLayout {

namespace {
constexpr int kMargin = 60; // the 4-pixel margin the sizing watcher uses
constexpr int kStripLeft = 2300;
constexpr int kStripTop = 45;
constexpr int kOtherUserFromRight = 4850;
} // namespace

Places Compute(int windowWidth, int innerWidth, int innerHeight, int stripHeight) {
    Places p{};
    p.captionBarWidth = windowWidth;
    p.closeLeft = windowWidth - 730;
    p.minmaxLeft = windowWidth - 1105;
    p.minLeft = windowWidth - 1465;
    p.toolLeft = windowWidth - 1825;
    p.gameSpaceLeft = innerWidth - 3300;
    p.otherUserLeft = innerWidth - kOtherUserFromRight;
    // The strip ends where "登录其他帐号" begins: no tab's close button under it.
    p.tabStrip = {kStripLeft, kStripTop, p.otherUserLeft, kStripTop + stripHeight};
    p.page = {kMargin, stripHeight, innerWidth - kMargin, innerHeight - kMargin};
    return p;
}

int RegionExtent(int clientTwips) {
    return static_cast<int>(forms::RoundHalfEven(clientTwips / forms::TwipsPerPixel() + 1));
}

} // namespace MainLayout
