// The windows at the screen's DPI. tests/wine/dpi-scales.sh runs this in a
// prefix whose LogPixels it sets, naming the DPI in TAVRIN_TEST_DPI, on
// screens large enough for the login screen at that scale and on two that
// are not (1024 x 768 at 96 DPI, 1920 x 1080 at 168).
#include "controls/BForm.h"
#include "forms/Application.h"
#include "forms/WorkArea.h"
#include "forms/core/Units.h"
#include "game/Settings.h"
#include "login/LoginBgFrm.h"
#include "login/LoginFrm.h"
#include "login/LoginScreen.h"
#include "login/RunPageCommand.h"
#include "mainwindow/MainGameWindow.h"
#include "mainwindow/MsgFrm.h"
#include "mainwindow/WebMainFrm.h"
#include "startup/LoadFrm.h"
#include "tests/win32/ScriptedBrowser.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>

namespace {

int ExpectedDpi() {
    wchar_t text[16] = {};
    GetEnvironmentVariableW(L"TAVRIN_TEST_DPI", text, 16);
    return text[0] != L'\0' ? static_cast<int>(std::wcstol(text, nullptr, 10)) : 96;
}

// A length in design (96-DPI) pixels at the expected DPI.
int Scaled(double designPixels) {
    return static_cast<int>(std::lround(designPixels * ExpectedDpi() / 96.0));
}

SIZE SizeOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// A rectangle in its parent's client coordinates.
RECT PlaceIn(HWND window, HWND parent) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A window icon's size as the system holds it (a monochrome icon's mask is
// twice its height).
SIZE IconSize(HWND window, WPARAM which) {
    auto* icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return {0, 0};
    }
    const forms::GdiBitmap colour(info.hbmColor);
    const forms::GdiBitmap mask(info.hbmMask);
    BITMAP bitmap{};
    GetObjectW(colour ? colour.get() : mask.get(), sizeof bitmap, &bitmap);
    return {bitmap.bmWidth, colour ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

// Small and large window icons at the system's sizes, scaled once: 24 and
// 48 pixels at 144 DPI.
void ExpectIconsAtTheScreensScale(HWND window) {
    for (const auto& [which, design] : {std::pair{ICON_SMALL, 16}, std::pair{ICON_BIG, 32}}) {
        const SIZE size = IconSize(window, which);
        EXPECT_EQ(size.cx, Scaled(design)) << (which == ICON_SMALL ? "small" : "large");
        EXPECT_EQ(size.cy, Scaled(design));
        EXPECT_EQ(size.cx, GetSystemMetrics(which == ICON_SMALL ? SM_CXSMICON : SM_CXICON));
    }
}

// A click at a point of `window`'s client area, given to whatever window the
// system finds there, as the user's click would be.
void ClickAt(HWND window, int x, int y) {
    POINT at{x, y};
    ClientToScreen(window, &at);
    HWND shown = WindowFromPoint(at);
    ASSERT_NE(shown, nullptr);
    testing_support::ClickWindowAt(shown, at);
    testing_support::DrainPosted();
}

// How many pixels the window shows near the key colour magenta: a picture
// scaled with its key colour blended leaves a pink fringe.
int NearMagentaPixels(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    const BITMAPINFO info = forms::TopDown32(client.right, client.bottom);
    void* bits = nullptr;
    const forms::WindowDc dc(window);
    const forms::GdiBitmap copy(
        CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const forms::MemoryDc memory(CreateCompatibleDC(dc.get()));
    {
        const forms::SelectedObject selection(memory.get(), copy.get());
        BitBlt(memory.get(), 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
    }
    const auto* pixels = static_cast<const unsigned char*>(bits);
    int count = 0;
    for (long i = 0; i < static_cast<long>(client.right) * client.bottom; ++i) {
        const unsigned char b = pixels[4 * i], g = pixels[4 * i + 1], r = pixels[4 * i + 2];
        count += r > 192 && b > 192 && g < 96 ? 1 : 0;
    }
    return count;
}

TEST(DpiScale, TheProgramTakesTheScreensDpiAndMakesFontsAtIt) {
    const forms::WindowDc screen(nullptr);
    ASSERT_EQ(GetDeviceCaps(screen.get(), LOGPIXELSX), ExpectedDpi()) << "the prefix's LogPixels";
    EXPECT_EQ(forms::ScreenDpi(), ExpectedDpi());
    EXPECT_EQ(forms::TwipsToPixels(15540), Scaled(1036));
    BForm bar{nullptr};
    EXPECT_EQ(bar.Font().lfHeight, -Scaled(12)) << "9 points";
}

class DpiWindowsTest : public testing::Test {
protected:
    void SetUp() override {
        testing_support::ForgetStartupManifest();
        ScriptedBrowser::Install();
    }
    void TearDown() override {
        MsgFrm::UnloadIfLoaded();
        if (WebMainFrm::Exists()) {
            WebMainFrm::Instance().m_bExit = true;
            WebMainFrm::Instance().Unload();
        }
        LoginBgFrm::UnloadIfLoaded();
        LoadFrm::UnloadIfLoaded();
        testing_support::DrainPosted();
        forms::Application::CancelEnd();
        login::BindLoginScreen(nullptr);
        ScriptedBrowser::Uninstall();
    }
    testing_support::ScriptedDialogs dialogs;
};

bool Inside(const RECT& r, const forms::Rect& work) {
    return r.left >= work.left && r.top >= work.top && r.right <= work.right &&
           r.bottom <= work.bottom;
}

// Splash and login background sizes come from their pictures, held at the
// screen's DPI, or for the login screen at the largest scale that fits the
// work area; the login window and its page scale with the background.
TEST_F(DpiWindowsTest, SplashAndLoginScreenGrowWithTheScaleFitTheScreenAndKeepTheKeyExact) {
    LoadFrm& splash = LoadFrm::Instance();
    splash.Show();
    const SIZE splashSize = SizeOf(splash.hWnd());
    EXPECT_NEAR(splashSize.cx, Scaled(356), 1);
    EXPECT_NEAR(splashSize.cy, Scaled(122), 1);
    testing_support::DrainPosted();
    ASSERT_TRUE(LoginFrm::Exists());
    LoginFrm& login = LoginFrm::Instance();
    const forms::Rect work = forms::WorkAreaOfWindow(login.hWnd());
    ExpectIconsAtTheScreensScale(LoginBgFrm::Instance().hWnd());
    const SIZE backgroundSize = SizeOf(LoginBgFrm::Instance().hWnd());
    if (Scaled(1237) <= work.Width() && Scaled(696) <= work.Height()) {
        EXPECT_NEAR(backgroundSize.cx, Scaled(1237), 1);
        EXPECT_NEAR(backgroundSize.cy, Scaled(696), 1);
    } else {
        std::printf("fitted to %ld x %ld: %ld x %ld\n", work.Width(), work.Height(),
                    backgroundSize.cx, backgroundSize.cy);
        EXPECT_LT(backgroundSize.cx, Scaled(1237)) << "smaller than at the system's scale";
        // One DPI step larger (1237 / 96 by 696 / 96 pixels) would not fit.
        EXPECT_TRUE(backgroundSize.cx + 13 > work.Width() || backgroundSize.cy + 8 > work.Height())
            << "the largest scale that fits";
    }
    // The scale the login screen is drawn at, from its picture.
    const double scale = backgroundSize.cx / 1237.0;
    const auto at = [scale](double design) {
        return static_cast<int>(std::lround(design * scale));
    };
    EXPECT_NEAR(backgroundSize.cy, at(696), 1);
    const SIZE loginSize = SizeOf(login.hWnd());
    EXPECT_NEAR(loginSize.cx, backgroundSize.cx, 1);
    EXPECT_NEAR(loginSize.cy, backgroundSize.cy, 1);
    const RECT page = PlaceIn(login.Picture1(), login.hWnd());
    EXPECT_NEAR(page.left, at(415), 1);
    EXPECT_NEAR(page.right - page.left, at(732), 1);
    // The buttons' pictures at that scale, every pixel the key or unblended art.
    const auto bitmap =
        reinterpret_cast<HBITMAP>(SendMessageW(login.MiniBtn(), STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP mini{};
    ASSERT_NE(GetObjectW(bitmap, sizeof mini, &mini), 0);
    EXPECT_NEAR(mini.bmWidth, at(28), 1);
    const forms::MemoryDc art(CreateCompatibleDC(nullptr));
    {
        const forms::SelectedObject selection(art.get(), bitmap);
        for (int y = 0; y < mini.bmHeight; ++y) {
            for (int x = 0; x < mini.bmWidth; ++x) {
                const COLORREF pixel = GetPixel(art.get(), x, y);
                const int darkest =
                    std::min({GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)});
                ASSERT_TRUE(pixel == LoginFrm::kKeyColour || darkest <= 240)
                    << x << ", " << y << ": " << std::hex << pixel;
            }
        }
    }

    ScriptedBrowser* browser = ScriptedBrowser::Inside(login.hWnd());
    ASSERT_NE(browser, nullptr);
    browser->Load(PublicData::LoginPageUrl, L"<p>login</p>", L"login");
    ASSERT_TRUE(login.Visible());
    // Wholly on the screen: the background, the page and both buttons.
    RECT r{};
    for (HWND window : {LoginBgFrm::Instance().hWnd(), login.hWnd(), login.Picture1(),
                        login.MiniBtn(), login.CloseBtn()}) {
        GetWindowRect(window, &r);
        EXPECT_TRUE(Inside(r, work))
            << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << " on "
            << work.Width() << " x " << work.Height();
    }
    RedrawWindow(login.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    testing_support::DrainPosted();
    POINT body{at(100), at(300)}; // the picture, outside the page
    ClientToScreen(login.hWnd(), &body);
    const forms::WindowDc screen(nullptr);
    EXPECT_NE(GetPixel(screen.get(), body.x, body.y), LoginFrm::kKeyColour)
        << "around the page the background shows";

    // The minimise button where it is drawn (16800, 1950 twips), at its middle.
    ClickAt(login.hWnd(), at(1120 + 14), at(130 + 14));
    EXPECT_TRUE(IsIconic(LoginBgFrm::Instance().hWnd())) << "the click reached the button";
}

TEST_F(DpiWindowsTest, MainWindowCaptionButtonsTabsAndPageLineUpAndTakeClicksWhereDrawn) {
    testing_support::FakeLoginScreen screen;
    login::BindLoginScreen(&screen);
    MainGameWindow::Bind();
    bool cancel = false;
    login::RunPageCommand(
        browser::Navigation{L"app://loadgame|" + std::wstring(PublicData::GameSiteUrl) + L"play",
                            true,
                            {PublicData::LoginPageUrl}},
        cancel);
    ASSERT_TRUE(WebMainFrm::Exists());
    WebMainFrm& main = WebMainFrm::Instance();
    ExpectIconsAtTheScreensScale(main.hWnd());
    main.SetURL(std::wstring(PublicData::GameSiteUrl) + L"news");
    ASSERT_EQ(main.WebuTab.TabItems().Count(), 2);

    // Restored to its design size, cut to the work area, by its own button,
    // 1105 twips from the right.
    const forms::Rect work = forms::WorkAreaOfWindow(main.hWnd());
    SIZE size = SizeOf(main.hWnd());
    ClickAt(main.hWnd(), size.cx - Scaled(1105 / 15.0) + Scaled(6), Scaled(5));
    size = SizeOf(main.hWnd());
    EXPECT_NEAR(size.cx, std::min<long>(Scaled(1036), work.Width()), 1) << "restored";
    EXPECT_NEAR(size.cy, std::min<long>(Scaled(639), work.Height()), 1);

    // The caption buttons, sized by their pictures, from the right edge.
    const RECT close = PlaceIn(main.web_close.hWnd(), main.hWnd());
    EXPECT_NEAR(close.left, size.cx - Scaled(730 / 15.0), 1);
    EXPECT_NEAR(close.top, Scaled(1), 1);
    EXPECT_NEAR(close.right - close.left, Scaled(43), 1);
    EXPECT_NEAR(close.bottom - close.top, Scaled(18), 1);
    const RECT tool = PlaceIn(main.web_tool.hWnd(), main.hWnd());
    EXPECT_NEAR(tool.left, size.cx - Scaled(1825 / 15.0), 1);
    // Text buttons keep the pixels off their magenta corners.
    const forms::GdiRegion shape(CreateRectRgn(0, 0, 0, 0));
    GetWindowRgn(main.OtherUserBtn.hWnd(), shape.get());
    const SIZE other = SizeOf(main.OtherUserBtn.hWnd());
    EXPECT_FALSE(PtInRegion(shape.get(), 0, 0));
    EXPECT_TRUE(PtInRegion(shape.get(), other.cx / 2, other.cy / 2));

    // The strip 2300 twips in, 3 pixels down, 32 high; the page 4 pixels in
    // from the sides, from the strip's height down.
    const HWND strip = reinterpret_cast<HWND>(main.WebuTab.hWnd());
    const RECT tabs = PlaceIn(strip, main.hWnd());
    EXPECT_NEAR(tabs.left, Scaled(2300 / 15.0), 1);
    EXPECT_NEAR(tabs.top, Scaled(3), 1);
    EXPECT_EQ(tabs.bottom - tabs.top, Scaled(32));
    const RECT page = PlaceIn(main.pCnt->hWnd(), main.hWnd());
    RECT client{};
    GetClientRect(main.hWnd(), &client);
    EXPECT_EQ(page.left, Scaled(4));
    EXPECT_EQ(page.top, Scaled(32));
    EXPECT_EQ(client.right - page.right, Scaled(4));
    EXPECT_EQ(client.bottom - page.bottom, Scaled(4));
    EXPECT_EQ(NearMagentaPixels(strip), 0) << "the skins' key colour is left out";

    // The first tab, 200 wide after the 10-pixel margin; its close button
    // 20 from its right end, 7 down, 12 square.
    ASSERT_EQ(main.WebuTab.Selected(), 1);
    ClickAt(strip, Scaled(10 + 60), Scaled(16));
    EXPECT_EQ(main.WebuTab.Selected(), 0) << "the click reached the first tab";
    ClickAt(strip, Scaled(10 + 200 - 20 + 6), Scaled(7 + 6));
    EXPECT_EQ(main.WebuTab.TabItems().Count(), 1) << "the click reached its close button";

    // The close button asks the exit question.
    ClickAt(main.hWnd(), size.cx - Scaled(730 / 15.0) + Scaled(10), Scaled(5));
    ASSERT_EQ(dialogs.modalForms.size(), 1u);
    EXPECT_NE(dynamic_cast<MsgFrm*>(dialogs.modalForms[0]), nullptr);
}

} // namespace
