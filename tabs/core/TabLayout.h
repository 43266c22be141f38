#pragma once

#include <vector>

// Geometry of the tab strip in pixels at the screen's DPI: tab widths and
// places in both styles, and what lies under a point.
namespace TabLayout {

struct Style {
    int height;     // strip height
    int firstLeft;  // Left of the first tab
    int gap;        // after each tab
    int fullWidth;  // locked tabs, and the upper bound of TabWidth
    int closeRight; // close square's left edge: Left + Width - closeRight
    int closeTop;   // close square's top row
};

// In design pixels.
constexpr Style kLow{25, 14, 0, 108, 24, 6};
constexpr Style kHigh{32, 0, 5, 200, 20, 7};
// The style at the screen's DPI.
Style StyleOf(long tabStyle);

// Narrowest a shrinking tab gets: it can still be drawn. Tabs shrink with
// the strip rather than lie past its end, where the player could not reach
// them.
constexpr int kMinTabWidth = 1;

struct Tab {
    bool lockSize = false;
    bool hideButton = false;
    int left = 0;
    int width = 0;
    bool selected = false;
};

// Whether the tab shows (and answers) its close box: never when hidden,
// always on the selected tab, and on another only while the box with its
// margin takes at most half the tab, so that a narrow tab is no close box.
bool ShowsCloseBox(long tabStyle, const Tab& tab);

// The width of a tab that is not size-locked, for a tab area aw wide: the
// tabs all lie inside the area, unless too many are locked to full width.
int CalcTabWidth(long tabStyle, int areaWidth, const std::vector<Tab>& tabs);

// Sets every tab's left and width.
void LayoutTabs(long tabStyle, int tabWidth, std::vector<Tab>& tabs);

struct Hit {
    int index;  // a tab position, or -1 (no tab), -2 (margin), -3 (outside)
    bool close; // on that tab's close button
};

// (x, y) in the control's pixels; the control is controlWidth wide.
Hit HitTest(long tabStyle, double x, double y, int controlWidth, int leftSize, int rightSize,
            const std::vector<Tab>& tabs);

} // namespace TabLayout
