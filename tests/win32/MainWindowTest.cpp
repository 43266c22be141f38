#include "tests/win32/MainWindowFixture.h"

namespace {

using namespace main_window_test;

TEST_F(MainWindowTest, LoadsMaximisedAboveTheTaskbarAndRestoresToTheCentredDesign) {
    WebMainFrm& main = OpenGame();
    EXPECT_EQ(login.calls, std::vector<std::string>{"close"});
    EXPECT_TRUE(main.Visible());
    const forms::Rect work = forms::WorkAreaOfWindow(main.hWnd());
    const int screenW = work.right - work.left;
    const int screenH = work.bottom - work.top;
    RECT r = WindowRect(main.hWnd());
    EXPECT_EQ(r.left, work.left);
    EXPECT_EQ(r.top, work.top);
    EXPECT_EQ(r.right, work.right);
    EXPECT_EQ(r.bottom, work.bottom);
    EXPECT_TRUE(main.web_minmax.Value());
    EXPECT_EQ(GetWindowLongW(main.hWnd(), GWL_STYLE) & ~(WS_VISIBLE | WS_CLIPSIBLINGS),
              WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN)
        << "children clipped: the page is not painted over on every resize";
    EXPECT_EQ(main.Caption(), L"Drelmoor2客户端");
    EXPECT_EQ(main.WebBForm.Caption(), L"Drelmoor2");
    EXPECT_EQ(main.WebBForm.frmHwnd(), nullptr) << "no dragging while maximised";

    // Layout at this size, in twips from the right edges.
    // Twips become whole pixels: within one pixel.
    EXPECT_NEAR(main.Width() - main.web_close.Left(), 730, 14);
    EXPECT_NEAR(main.Width() - main.web_tool.Left(), 1825, 14);
    EXPECT_NEAR(main.ScaleWidth() - main.OtherUserBtn.Left(), 4850, 14);
    EXPECT_NEAR(main.WebuTab.Left(), 2300, 14);
    EXPECT_NEAR(main.WebuTab.Width(), main.ScaleWidth() - 7150, 14) << "to the pixel";
    RECT page{};
    GetWindowRect(main.pCnt->hWnd(), &page);
    MapWindowPoints(nullptr, main.hWnd(), reinterpret_cast<POINT*>(&page), 2);
    EXPECT_EQ(page.left, 4);
    EXPECT_EQ(page.right, screenW - 4);
    EXPECT_EQ(page.bottom, r.bottom - 4);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(main.hWnd(), region);
    RECT box{};
    GetRgnBox(region, &box);
    DeleteObject(region);
    EXPECT_EQ(box.right, screenW) << "the round region reaches the client area's edge";

    ASSERT_TRUE(testing_support::ClickMiddleOf(main.web_minmax.hWnd()));
    r = WindowRect(main.hWnd());
    EXPECT_EQ(r.right - r.left, 1036);
    EXPECT_EQ(r.bottom - r.top, 639);
    EXPECT_EQ(r.left, work.left + (screenW - 1036) / 2);
    EXPECT_EQ(r.top, work.top + (screenH - 639) / 2);
    EXPECT_EQ(main.WebBForm.frmHwnd(), main.hWnd());
    EXPECT_NEAR(main.Width() - main.web_close.Left(), 730, 14) << "layout follows the restore";
}

TEST_F(MainWindowTest, OpensOnThePointersMonitorAndRestoresCentredThere) {
    FakeDesktop desktop({0, 40, 1280, 1024});
    desktop.pointerOnLeft = true;
    WebMainFrm& main = OpenGame();
    const forms::Rect left = FakeDesktop::kLeftWork;
    RECT r = WindowRect(main.hWnd());
    EXPECT_EQ(r.left, left.left);
    EXPECT_EQ(r.top, left.top);
    EXPECT_EQ(r.right, left.right);
    EXPECT_EQ(r.bottom, left.bottom);
    main.web_minmax.SetValue(false);
    main.web_minmax.Click();
    r = WindowRect(main.hWnd());
    EXPECT_EQ(r.left, -1240 + (1240 - 1036) / 2);
    EXPECT_EQ(r.top, (984 - 639) / 2);

    desktop.pointerOnLeft = false;
    SetWindowPos(main.hWnd(), nullptr, 100, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    main.web_minmax.SetValue(true);
    main.web_minmax.Click();
    r = WindowRect(main.hWnd());
    EXPECT_EQ(r.top, 40) << "a taskbar at the top covers nothing";
    EXPECT_EQ(r.right, 1280);
}

// As a system caption does. Only the second press of each double click is
// sent: restored, the first one starts the system's move, which needs a
// real button to end.
TEST_F(MainWindowTest, ADoubleClickOnTheCaptionBarRestoresAndMaximises) {
    const FakeDesktop desktop({0, 0, 1280, 984});
    WebMainFrm& main = OpenGame();
    const auto doubleClick = [&] {
        const HWND bar = main.WebBForm.hWnd();
        SendMessageW(bar, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(60, 10));
        SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(60, 10));
    };
    doubleClick();
    RECT r = WindowRect(main.hWnd());
    EXPECT_EQ(r.right - r.left, 1036) << "restored";
    EXPECT_FALSE(main.web_minmax.Value()) << "the button shows it";
    EXPECT_EQ(main.WebBForm.frmHwnd(), main.hWnd()) << "the bar drags again";
    doubleClick();
    r = WindowRect(main.hWnd());
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, 1280) << "maximised";
    EXPECT_EQ(r.bottom, 984);
    EXPECT_TRUE(main.web_minmax.Value());
    EXPECT_EQ(main.WebBForm.frmHwnd(), nullptr);
}

TEST_F(MainWindowTest, RestoringWithManyTabsLaysThemOutInsideTheStrip) {
    const FakeDesktop desktop({0, 0, 1280, 984});
    WebMainFrm& main = OpenGame();
    for (int i = 1; i < 16; ++i) {
        main.SetURL(L"http://game.example/page" + std::to_wstring(i));
    }
    ASSERT_EQ(main.WebuTab.TabItems().Count(), 16);
    ASSERT_EQ(WindowRect(main.hWnd()).right, 1280);
    main.web_minmax.SetValue(false);
    main.web_minmax.Click();
    ASSERT_EQ(WindowRect(main.hWnd()).right - WindowRect(main.hWnd()).left, 1036);

    const int stripRight = main.OtherUserBtn.Left() - main.WebuTab.Left();
    EXPECT_LE(main.WebuTab.Width(), stripRight) << "the strip ends at 登录其他帐号";
    const int area = forms::TwipsToPixels(main.WebuTab.Width()) - main.WebuTab.TabLeftSize() -
                     main.WebuTab.TabRightSize();
    CTabItems& items = main.WebuTab.TabItems();
    for (int i = 0; i < items.Count(); ++i) {
        EXPECT_LE(items.Item(i)->Left() + items.Item(i)->Width(), area) << "tab " << i;
    }
    const int selected = main.WebuTab.Selected();
    EXPECT_EQ(selected, 15);
    const auto& last = *items.Item(selected);
    const double middle = main.WebuTab.TabLeftSize() + last.Left() + last.Width() / 2.0;
    EXPECT_EQ(main.WebuTab.HitTest(middle, 10).index, selected) << "the selected tab is reachable";
}

TEST_F(MainWindowTest, TabsPerAddressTitlesAndNewWindows) {
    WebMainFrm& main = OpenGame(kSite + L"Play");
    CTabItems& items = main.WebuTab.TabItems();
    ASSERT_EQ(items.Count(), 1);
    EXPECT_EQ(items.Item(0)->Caption(), L"Game" + kSite + L"Play");
    EXPECT_FALSE(main.Picture1->Visible());
    ScriptedBrowser* game = Page(0);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->navigated, (std::vector<std::wstring>{L"about:blank", kSite + L"Play"}));
    game->Load(kSite + L"Play", L"<p>game</p>", L"Drelmoor2 - 第一服");
    EXPECT_EQ(items.Item(0)->Caption(), L"Drelmoor2 - 第一服");
    EXPECT_EQ(game->overflow, L"hidden");
    EXPECT_TRUE(game->silent);

    main.SetURL(kSite + L"news");
    std::wstring upper = kSite + L"Play";
    for (wchar_t& c : upper) {
        c = static_cast<wchar_t>(towupper(c));
    }
    main.SetURL(upper);
    EXPECT_EQ(items.Count(), 2) << "same address in other letters: no second page";
    EXPECT_EQ(main.WebuTab.Selected(), 0);
    EXPECT_EQ(game->navigated.size(), 2u) << "selected, not reloaded";

    EXPECT_TRUE(game->RequestNewWindow(L"https://forum.example/t/1"));
    EXPECT_TRUE(game->RequestNewWindow(L"file:///C:/windows/system32/calc.exe"));
    EXPECT_TRUE(game->RequestNewWindow(L"javascript:alert(1)"));
    EXPECT_EQ(Opened(), std::vector<std::wstring>{L"https://forum.example/t/1"});
    EXPECT_EQ(items.Count(), 2) << "no page becomes a tab by itself";

    int button = 0, shift = 0;
    float x = 0, y = 0;
    main.WebuTab.OnMouseHover(0, button, shift, x, y);
    EXPECT_EQ(main.StripToolTip().Text(), L"Drelmoor2 - 第一服");
    main.WebuTab.OnMouseHover(-1, button, shift, x, y);
    EXPECT_EQ(main.StripToolTip().Text(), L"");

    ASSERT_TRUE(testing_support::ClickMiddleOf(main.GameSpaceBtn.hWnd()));
    EXPECT_EQ(Opened().back(), PublicData::GameSiteUrl);
    ASSERT_TRUE(testing_support::ClickMiddleOf(main.OtherUserBtn.hWnd()));
    EXPECT_EQ(login.calls.back(), "show");
    main.RunMenuCommand(WebMainFrm::refresh);
    EXPECT_EQ(game->refreshes, 1);
}

} // namespace
