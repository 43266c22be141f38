#include "tabs/core/TabLayout.h"

#include "forms/core/Units.h"

namespace TabLayout {

namespace {

// Design pixels: the low style's room before the first tab, the high
// style's gap after each tab, a close button's side, the hit area's height.
constexpr int kLowLead = 14;
constexpr int kHighGap = 5;
constexpr int kCloseSide = 12;
constexpr int kHitHeight = 25;

int Scaled(int designPixels) {
    return forms::ScaleDesignPixels(designPixels);
}

} // namespace

Style StyleOf(long tabStyle) {
    const Style& design = tabStyle == 0 ? kLow : kHigh;
    return {Scaled(design.height),    Scaled(design.firstLeft),  Scaled(design.gap),
            Scaled(design.fullWidth), Scaled(design.closeRight), Scaled(design.closeTop)};
}

int CalcTabWidth(long tabStyle, int areaWidth, const std::vector<Tab>& tabs) {
    const Style style = StyleOf(tabStyle);
    const int n = static_cast<int>(tabs.size());
    int k = 0;
    for (const Tab& tab : tabs) {
        k += tab.lockSize ? 1 : 0;
    }
    if (k == n) {
        return style.fullWidth;
    }
    const double room = tabStyle == 0
                            ? areaWidth - style.fullWidth * k - double(Scaled(kLowLead))
                            : areaWidth - style.fullWidth * k - double(Scaled(kHighGap)) * n;
    long width = forms::RoundHalfEven(room / (n - k));
    // Rounded up past the area's end (the high style's last gap may go).
    if (width * (n - k) > room + style.gap) {
        --width;
    }
    if (width > style.fullWidth) {
        return style.fullWidth;
    }
    return width < kMinTabWidth ? kMinTabWidth : static_cast<int>(width);
}

bool ShowsCloseBox(long tabStyle, const Tab& tab) {
    return !tab.hideButton && (tab.selected || tab.width >= 2 * StyleOf(tabStyle).closeRight);
}

void LayoutTabs(long tabStyle, int tabWidth, std::vector<Tab>& tabs) {
    const Style style = StyleOf(tabStyle);
    int x = style.firstLeft;
    for (Tab& tab : tabs) {
        tab.left = x;
        tab.width = tab.lockSize ? style.fullWidth : tabWidth;
        x += tab.width + style.gap;
    }
}

Hit HitTest(long tabStyle, double px, double py, int controlWidth, int leftSize, int rightSize,
            const std::vector<Tab>& tabs) {
    const long x = forms::RoundHalfEven(px);
    const long y = forms::RoundHalfEven(py);
    if (x < 0 || x > controlWidth || y < 0 || y > Scaled(kHitHeight)) {
        return {-3, false};
    }
    if (x > controlWidth - rightSize || x < leftSize) {
        return {-2, false};
    }
    if (tabs.empty()) {
        return {-1, false};
    }
    const long rx = x - leftSize;
    if (rx <= Scaled(kLowLead)) {
        return {0, false};
    }
    const Style style = StyleOf(tabStyle);
    for (int p = 0; p < static_cast<int>(tabs.size()); ++p) {
        const Tab& tab = tabs[static_cast<std::size_t>(p)];
        if (tab.left <= rx && rx <= tab.left + tab.width) {
            const long closeLeft = tab.left + tab.width - style.closeRight;
            const int side = Scaled(kCloseSide);
            const bool close = ShowsCloseBox(tabStyle, tab) && closeLeft <= rx &&
                               rx <= closeLeft + side && style.closeTop <= y &&
                               y <= style.closeTop + side;
            return {p, close};
        }
    }
    return {-1, false};
}

} // namespace TabLayout
