#include "controls/iButton.h"
#include "forms/LogFont.h"
#include "forms/core/Units.h"
#include "resources/resource.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A strip of `frames` solid frames, frame i in colours[i].
forms::PicturePtr Strip(int frameWidth, int height, const std::vector<COLORREF>& colours) {
    forms::WindowDc screen(nullptr);
    forms::MemoryDc dc(CreateCompatibleDC(screen.get()));
    forms::GdiBitmap bitmap(CreateCompatibleBitmap(
        screen.get(), frameWidth * static_cast<int>(colours.size()), height));
    forms::SelectedObject selection(dc.get(), bitmap.get());
    for (std::size_t i = 0; i < colours.size(); ++i) {
        forms::UniqueHandle<HBRUSH, forms::GdiObjectDeleter> brush(CreateSolidBrush(colours[i]));
        RECT r{static_cast<LONG>(i) * frameWidth, 0, static_cast<LONG>(i + 1) * frameWidth, height};
        FillRect(dc.get(), &r, brush.get());
    }
    return forms::Picture::FromBitmap(std::move(bitmap));
}

const std::vector<COLORREF> kColours{RGB(200, 0, 0),   RGB(0, 200, 0),   RGB(0, 0, 200),
                                     RGB(200, 200, 0), RGB(0, 200, 200), RGB(200, 0, 200)};

class ButtonTest : public testing::Test {
protected:
    void SetUp() override {
        parent = testing_support::CreatePlainWindow(100, 100, 400, 300);
        ShowWindow(parent, SW_SHOWNOACTIVATE);
        button.Create(parent, 150, 150, 1500, 450);
        Record();
        SetCursorPos(900, 900); // away from the button
    }
    void TearDown() override { DestroyWindow(parent); }

    void Record() {
        testing_support::Held() += button.Click.Connect([this] { events.push_back("Click"); });
        testing_support::Held() += button.MouseDown.Connect([this](int& b, int&, float&, float&) {
            events.push_back("MouseDown " + std::to_string(b));
        });
        testing_support::Held() += button.MouseUp.Connect([this](int& b, int&, float&, float&) {
            events.push_back("MouseUp " + std::to_string(b));
        });
        testing_support::Held() += button.KeyDown.Connect(
            [this](int& k, int&) { events.push_back("KeyDown " + std::to_string(k)); });
        testing_support::Held() += button.KeyUP.Connect(
            [this](int& k, int&) { events.push_back("KeyUP " + std::to_string(k)); });
        testing_support::Held() +=
            button.MouseOver.Connect([this] { events.push_back("MouseOver"); });
        testing_support::Held() +=
            button.MouseOut.Connect([this] { events.push_back("MouseOut"); });
        testing_support::Held() += button.DBClick.Connect([this] { events.push_back("DBClick"); });
    }
    COLORREF Shown(int x = 2, int y = 2) const { return GetPixel(button.hDC(), x, y); }
    POINT ScreenPointOfButton(int x, int y) const {
        POINT p{x, y};
        ClientToScreen(button.hWnd(), &p);
        return p;
    }
    void PointerOverButton() {
        const POINT p = ScreenPointOfButton(5, 5);
        SetCursorPos(p.x, p.y);
    }

    HWND parent = nullptr;
    iButton button;
    std::vector<std::string> events;
};

TEST_F(ButtonTest, AutoSizeTakesTheFrameSizeOfTheStrip) {
    button.SetBackPicture(Strip(75, 22, {kColours[0], kColours[1], kColours[2]}));
    EXPECT_EQ(button.Width(), 1125);
    EXPECT_EQ(button.Height(), 330);
    EXPECT_EQ(Shown(), kColours[0]) << "normal frame";
    EXPECT_EQ(Shown(74, 21), kColours[0]) << "one frame fills the button";
}

TEST_F(ButtonTest, EachStateShowsItsFrame) {
    button.SetBackPicture(Strip(20, 10, {kColours[0], kColours[1], kColours[2]}));
    for (int state = 0; state < 3; ++state) {
        button.cMouseAction(state, false);
        EXPECT_EQ(Shown(), kColours[state]) << state;
        EXPECT_EQ(button.DrawnState(), state);
    }
}

TEST_F(ButtonTest, AToggleThatIsOnShowsFramesThreeToFive) {
    button.SetBackPicture(Strip(20, 10, kColours));
    button.SetStyle(1);
    button.SetValue(true);
    EXPECT_TRUE(button.Value());
    for (int state = 0; state < 3; ++state) {
        button.cMouseAction(state, true);
        EXPECT_EQ(Shown(), kColours[state + 3]) << state;
    }
}

TEST_F(ButtonTest, APushButtonCannotBeSwitchedOn) {
    button.SetValue(true);
    EXPECT_FALSE(button.Value());
}

TEST_F(ButtonTest, LockedShowsThePressedFrameWhateverTheState) {
    button.SetBackPicture(Strip(20, 10, {kColours[0], kColours[1], kColours[2]}));
    button.SetLocked(true);
    for (int state = 0; state < 2; ++state) {
        button.cMouseAction(state, true);
        EXPECT_EQ(Shown(), kColours[2]) << state;
    }
}

int FirstInkColumn(HDC dc, int width, int height, COLORREF background) {
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            if (GetPixel(dc, x, y) != background) {
                return x;
            }
        }
    }
    return -1;
}

TEST_F(ButtonTest, ThePressedCaptionMovesOnePixelRightAndDown) {
    button.SetAutoSize(false);
    button.SetBackPicture(
        Strip(100, 30, {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)}));
    button.SetcForeColor(RGB(0, 0, 0));
    button.SetCaption(L"OK");
    button.cMouseAction(0, true);
    const int normal = FirstInkColumn(button.hDC(), 100, 30, RGB(255, 255, 255));
    button.cMouseAction(2, true);
    const int pressed = FirstInkColumn(button.hDC(), 100, 30, RGB(255, 255, 255));
    ASSERT_GE(normal, 0);
    EXPECT_EQ(pressed, normal + 1);
}

TEST_F(ButtonTest, PressDragOffAndReleaseOutsideGivesNoClick) {
    button.SetBackPicture(Strip(20, 10, {kColours[0], kColours[1], kColours[2]}));
    PointerOverButton();
    SendMessageW(button.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(Shown(), kColours[2]);
    SetCursorPos(900, 900);
    SendMessageW(button.hWnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-300, -300));
    SendMessageW(button.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(-300, -300));
    EXPECT_EQ(events, (std::vector<std::string>{"MouseDown 1", "MouseUp 1"}));
    EXPECT_EQ(Shown(), kColours[0]);
}

TEST_F(ButtonTest, PressAndReleaseOnTheButtonClicksAndTogglesFirst) {
    button.SetBackPicture(Strip(20, 10, kColours));
    button.SetStyle(1);
    bool valueAtClick = false;
    testing_support::Held() += button.Click.Connect([&] { valueAtClick = button.Value(); });
    PointerOverButton();
    SendMessageW(button.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(valueAtClick);
    EXPECT_EQ(Shown(), kColours[4]) << "on, pointer over: hover frame of the second half";
}

TEST_F(ButtonTest, EnterClicksOnPressAndSpaceOnRelease) {
    SendMessageW(button.hWnd(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"KeyDown 13", "Click"}));
    events.clear();
    SendMessageW(button.hWnd(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(events, std::vector<std::string>{"KeyDown 32"});
    SendMessageW(button.hWnd(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"KeyDown 32", "KeyUP 32", "Click"}));
}

TEST_F(ButtonTest, OneMouseOverPerVisitAndOneMouseOutAfterLeaving) {
    button.SetBackPicture(Strip(20, 10, {kColours[0], kColours[1], kColours[2]}));
    PointerOverButton();
    for (int i = 0; i < 5; ++i) {
        SendMessageW(button.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5 + i, 5));
    }
    EXPECT_EQ(events, std::vector<std::string>{"MouseOver"});
    EXPECT_EQ(Shown(), kColours[1]);
    SetCursorPos(900, 900);
    // The button notices the pointer gone on its own timer.
    EXPECT_TRUE(testing_support::PumpUntil([this] { return events.size() == 2; }, 5000));
    EXPECT_EQ(events, (std::vector<std::string>{"MouseOver", "MouseOut"}));
    EXPECT_EQ(Shown(), kColours[0]);
}

TEST_F(ButtonTest, TheFocusRectangleIsInsetThreePixels) {
    button.SetAutoSize(false);
    button.SetBackPicture(
        Strip(100, 30, {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)}));
    SendMessageW(button.hWnd(), WM_SETFOCUS, 0, 0);
    int dotted = 0;
    for (int x = 3; x < 20; ++x) {
        dotted += GetPixel(button.hDC(), x, 3) != RGB(255, 255, 255) ? 1 : 0;
        EXPECT_EQ(GetPixel(button.hDC(), x, 2), RGB(255, 255, 255)) << x;
    }
    EXPECT_GT(dotted, 4) << "a dotted line along row 3";
    EXPECT_EQ(GetPixel(button.hDC(), 10, 10), RGB(255, 255, 255));
    const auto dots = [this] {
        int count = 0;
        for (int x = 3; x < 20; ++x) {
            count += GetPixel(button.hDC(), x, 3) != RGB(255, 255, 255) ? 1 : 0;
        }
        return count;
    };
    button.cMouseAction(0, true);
    EXPECT_EQ(dots(), dotted) << "a repaint keeps the cue while the button has the keyboard";
    SendMessageW(button.hWnd(), WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(dots(), 0) << "and it goes with the keyboard";
}

TEST_F(ButtonTest, ATransparentButtonLetsTheMaskColourThrough) {
    button.SetAutoSize(false);
    button.SetBackPicture(Strip(20, 10, {RGB(255, 0, 255), RGB(255, 0, 255), RGB(255, 0, 255)}));
    button.SetcBackStyle(0);
    forms::GdiRegion shape(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(button.hWnd(), shape.get()), ERROR);
    EXPECT_FALSE(PtInRegion(shape.get(), 5, 5));
    button.SetBackPicture(Strip(20, 10, {kColours[0], kColours[0], kColours[0]}));
    GetWindowRgn(button.hWnd(), shape.get());
    EXPECT_TRUE(PtInRegion(shape.get(), 5, 5));
}

TEST_F(ButtonTest, SavedSettingsKeepTheirOrderAndLeaveDefaultsOut) {
    forms::PropertyBag bag;
    button.WriteProperties(bag);
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"cFont", "cDrawMode", "cForeColor"}));
    button.SetBackPicture(forms::Picture::FromResource(IDB_MIN));
    button.SetCaption(L"最小化");
    button.SetStyle(1);
    bag.Clear();
    button.WriteProperties(bag);
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"BackPicture", "Style", "Caption", "cFont",
                                                    "cDrawMode", "cForeColor"}));
    iButton copy;
    copy.ReadProperties(bag);
    EXPECT_EQ(copy.Caption(), L"最小化");
    EXPECT_EQ(copy.Style(), 1);
    ASSERT_NE(copy.BackPicture(), nullptr);
    EXPECT_EQ(copy.BackPicture()->Width(), 72);
}

TEST_F(ButtonTest, AFontIsStoredInPointsWithItsCharacterSet) {
    forms::StoredFont song;
    song.face = L"宋体";
    song.points = 9;
    song.charset = GB2312_CHARSET;
    button.SetcFont(forms::LogFontOf(song));
    forms::PropertyBag bag;
    button.WriteProperties(bag);
    EXPECT_EQ(bag.ReadFont("cFont", {}).points, 9.0);
    iButton copy;
    copy.ReadProperties(bag);
    EXPECT_EQ(copy.cFont().lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(copy.cFont().lfHeight, forms::FontHeightOf(9, forms::ScreenDpi()));
    EXPECT_STREQ(copy.cFont().lfFaceName, L"宋体");
}

TEST_F(ButtonTest, ImageIsACopyOfWhatTheButtonShows) {
    button.SetBackPicture(Strip(20, 10, {kColours[0], kColours[1], kColours[2]}));
    const forms::PicturePtr image = button.Image();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Width(), 20);
    EXPECT_EQ(image->Height(), 10);
    forms::MemoryDc dc(CreateCompatibleDC(nullptr));
    forms::SelectedObject selection(dc.get(), image->Bitmap());
    EXPECT_EQ(GetPixel(dc.get(), 5, 5), kColours[0]);
}

TEST_F(ButtonTest, EverySavedAssignmentIsReportedUnderItsKey) {
    std::vector<std::string> keys;
    testing_support::Held() +=
        button.PropertyChanged.Connect([&](const std::string& key) { keys.push_back(key); });
    button.SetCaption(L"x");
    button.SetStyle(1);
    button.SetValue(true);
    button.SetEnabled(true);
    EXPECT_EQ(keys, (std::vector<std::string>{"Caption", "Style", "Enabled"}));
}

} // namespace
