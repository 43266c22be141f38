#include "controls/cSetStyle.h"
#include "forms/SingleForm.h"
#include "forms/WorkArea.h"
#include "forms/core/Units.h"
#include "tests/win32/FakeDesktop.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::vector<std::string> steps;

forms::FormDesign GameDesign() {
    forms::FormDesign design;
    design.caption = L"Game";
    design.style = WS_POPUP | WS_CLIPCHILDREN;
    design.clientWidthTwips = 15000;
    design.clientHeightTwips = 12000;
    return design;
}

class GameFrm : public forms::SingleForm<GameFrm> {
public:
    GameFrm() : SingleForm(GameDesign()) {}

protected:
    void OnQueryUnload(bool&) override { steps.push_back("close request"); }
};

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

class StyleTest : public testing::Test {
protected:
    void SetUp() override {
        steps.clear();
        GameFrm& form = GameFrm::Instance();
        watcher->SetobjForm(&form);
        watcher->SetWindowStyle(form.hWnd());
        SetWindowPos(form.hWnd(), nullptr, 50, 50, 1000, 800,
                     SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    }
    void TearDown() override {
        watcher.reset();
        if (GameFrm::Exists()) {
            GameFrm::Instance().Unload();
        }
        testing_support::DrainPosted();
    }
    HWND Window() const { return GameFrm::Instance().hWnd(); }
    // The pointer at a screen point, and the window told about it.
    void Mouse(UINT message, int x, int y, WPARAM keys) {
        SetCursorPos(x, y);
        POINT client{x, y};
        ScreenToClient(Window(), &client);
        SendMessageW(Window(), message, keys, MAKELPARAM(client.x, client.y));
    }

    std::unique_ptr<cSetStyle> watcher = std::make_unique<cSetStyle>();
};

TEST_F(StyleTest, TheStyleIsASystemMenuAndAMinimiseBoxAndChildrenStayClipped) {
    // The system adds WS_CLIPSIBLINGS to every top-level window itself.
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(Window(), GWL_STYLE));
    EXPECT_EQ(style & ~(WS_VISIBLE | WS_CLIPSIBLINGS),
              static_cast<DWORD>(WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN));
}

TEST_F(StyleTest, DraggingTheBottomRightCornerInwardStopsAtTheMinimumSize) {
    Mouse(WM_MOUSEMOVE, 1050, 850, 0);
    EXPECT_EQ(watcher->State().Zone, EdgeRules::BottomRight);
    Mouse(WM_LBUTTONDOWN, 1050, 850, MK_LBUTTON);
    ASSERT_TRUE(watcher->Sizing());
    Mouse(WM_MOUSEMOVE, 851, 651, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 850, 650, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 400, 400, MK_LBUTTON);
    const RECT band = watcher->State().OldRect;
    EXPECT_EQ(band.right - band.left, 801);
    EXPECT_EQ(band.bottom - band.top, 601);
    Mouse(WM_LBUTTONUP, 400, 400, 0);
    EXPECT_FALSE(watcher->Sizing());
    const RECT r = WindowRect(Window());
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right - r.left, 801);
    EXPECT_EQ(r.bottom - r.top, 601);
}

TEST_F(StyleTest, DraggingOutwardEnlargesTheWindowOnRelease) {
    Mouse(WM_LBUTTONDOWN, 1050, 500, MK_LBUTTON);
    EXPECT_EQ(watcher->State().Zone, EdgeRules::Right);
    Mouse(WM_MOUSEMOVE, 1200, 520, MK_LBUTTON);
    EXPECT_EQ(WindowRect(Window()).right, 1050) << "only the rubber band moves meanwhile";
    Mouse(WM_LBUTTONUP, 1200, 520, 0);
    EXPECT_EQ(WindowRect(Window()).right, 1200);
    EXPECT_EQ(WindowRect(Window()).bottom, 850);
}

TEST_F(StyleTest, EdgesReportTheirZoneAndTheMiddleNone) {
    std::vector<long> zones;
    testing_support::Held() +=
        watcher->MouseSize.Connect([&](long zone) { zones.push_back(zone); });
    Mouse(WM_MOUSEMOVE, 50, 500, 0);
    Mouse(WM_MOUSEMOVE, 500, 850, 0);
    Mouse(WM_MOUSEMOVE, 500, 500, 0);
    EXPECT_EQ(zones, (std::vector<long>{EdgeRules::Left, EdgeRules::Bottom, EdgeRules::None}));
}

forms::Rect Edges(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

TEST_F(StyleTest, MaximisedFillsTheWorkAreaWhereverTheTaskbarIsAndRestoresExactly) {
    const RECT before = WindowRect(Window());
    const forms::Rect taskbarSides[] = {
        {0, 0, 1280, 984}, {0, 40, 1280, 1024}, {40, 0, 1280, 1024}, {0, 0, 1240, 1024}};
    for (const forms::Rect& work : taskbarSides) {
        const FakeDesktop desktop(work);
        EXPECT_TRUE(watcher->CallWindowStateChange());
        EXPECT_EQ(Edges(WindowRect(Window())), work);
        EXPECT_FALSE(watcher->CallWindowStateChange());
        EXPECT_EQ(Edges(WindowRect(Window())), Edges(before));
    }
}

TEST_F(StyleTest, MaximisedStaysOnASecondMonitorAtNegativeCoordinates) {
    const FakeDesktop desktop({0, 0, 1280, 984});
    SetWindowPos(Window(), nullptr, -1200, 100, 1000, 800, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(watcher->CallWindowStateChange());
    EXPECT_EQ(Edges(WindowRect(Window())), FakeDesktop::kLeftWork);
    EXPECT_FALSE(watcher->CallWindowStateChange());
    EXPECT_EQ(Edges(WindowRect(Window())), (forms::Rect{-1200, 100, -200, 900}));
}

TEST_F(StyleTest, RestoringKeepsTheWindowOffATaskbarThatMovedMeanwhile) {
    FakeDesktop desktop({0, 0, 1280, 984});
    watcher->CallWindowStateChange();
    desktop.primary = {0, 100, 1280, 1024};
    watcher->CallWindowStateChange();
    EXPECT_EQ(Edges(WindowRect(Window())), (forms::Rect{50, 100, 1050, 900}));
}

TEST_F(StyleTest, WhileMaximisedNoDragStarts) {
    std::vector<long> zones;
    testing_support::Held() +=
        watcher->MouseSize.Connect([&](long zone) { zones.push_back(zone); });
    watcher->CallWindowStateChange();
    const RECT r = WindowRect(Window());
    Mouse(WM_MOUSEMOVE, r.right - 1, 300, 0);
    Mouse(WM_LBUTTONDOWN, r.right - 1, 300, MK_LBUTTON);
    EXPECT_FALSE(watcher->Sizing());
    EXPECT_TRUE(zones.empty());
}

TEST_F(StyleTest, ASettingsChangeWhileMaximisedRefitsToTheNewWorkArea) {
    FakeDesktop desktop({0, 0, 1280, 984});
    watcher->CallWindowStateChange();
    int changes = 0;
    testing_support::Held() += watcher->SettingChange.Connect([&] { ++changes; });
    desktop.primary = {0, 60, 1280, 1024}; // the taskbar moved to the top
    SendMessageW(Window(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Edges(WindowRect(Window())), desktop.primary);
}

// The display changes, the window goes to a monitor at negative x, and the
// taskbar moves while it is minimised: each time it fills its monitor again.
TEST_F(StyleTest, MaximisedFollowsItsMonitor) {
    FakeDesktop desktop({0, 0, 1280, 984});
    ASSERT_TRUE(watcher->CallWindowStateChange());
    desktop.primaryBounds = {0, 0, 1024, 768};
    desktop.primary = {0, 0, 1024, 728};
    SendMessageW(Window(), WM_DISPLAYCHANGE, 24, MAKELPARAM(1024, 768));
    EXPECT_EQ(Edges(WindowRect(Window())), desktop.primary) << "a smaller resolution";

    // As Win+Shift+Left moves it: by its old size, half over the new monitor.
    SetWindowPos(Window(), nullptr, -1000, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Edges(WindowRect(Window())), FakeDesktop::kLeftWork) << "the left monitor";
    SetWindowPos(Window(), nullptr, 10, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Edges(WindowRect(Window())), desktop.primary) << "and back";

    ShowWindow(Window(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(Window()));
    desktop.primary = {0, 40, 1024, 768}; // the taskbar went to the top meanwhile
    SendMessageW(Window(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    SendMessageW(Window(), WM_DISPLAYCHANGE, 24, MAKELPARAM(1024, 768));
    ShowWindow(Window(), SW_RESTORE);
    EXPECT_EQ(Edges(WindowRect(Window())), desktop.primary) << "restored from the taskbar";

    EXPECT_FALSE(watcher->CallWindowStateChange());
    EXPECT_EQ(Edges(WindowRect(Window())), (forms::Rect{24, 40, 1024, 768}))
        << "restored inside the smaller work area";
}

// An auto-hide taskbar leaves the work area whole; the maximised window
// leaves its edge one pixel free, so that the shell does not take it for
// full screen and the taskbar can come up.
TEST_F(StyleTest, MaximisedLeavesAnAutoHideTaskbarsEdgeFree) {
    FakeDesktop desktop({0, 0, 1280, 984});
    ASSERT_TRUE(watcher->CallWindowStateChange());
    desktop.primary = desktop.primaryBounds;
    desktop.primaryAutoHide = WorkAreaRules::kBottom;
    SendMessageW(Window(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_EQ(Edges(WindowRect(Window())), (forms::Rect{0, 0, 1280, 1023}));
    watcher->CallWindowStateChange();
    desktop.primaryAutoHide = WorkAreaRules::kLeft | WorkAreaRules::kTop;
    watcher->CallWindowStateChange();
    EXPECT_EQ(Edges(WindowRect(Window())), (forms::Rect{1, 1, 1280, 1024}));
}

TEST_F(StyleTest, CloseFromTheSystemMenuIsReportedAndStillReachesTheWindow) {
    int closes = 0;
    testing_support::Held() += watcher->CloseClick.Connect([&] {
        ++closes;
        steps.push_back("CloseClick");
    });
    // The low four bits are the system's own: a close all the same.
    SendMessageW(Window(), WM_SYSCOMMAND, SC_CLOSE | 2, 0);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(steps, (std::vector<std::string>{"CloseClick", "close request"}));
}

TEST_F(StyleTest, AHandlerMayEndTheWatcherAndTheWindowFromInsideCloseClick) {
    HWND window = Window();
    testing_support::Held() += watcher->CloseClick.Connect([&] {
        watcher.reset();
        GameFrm::Instance().Unload();
    });
    SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(GameFrm::Exists());
    EXPECT_EQ(watcher, nullptr);
}

} // namespace
