#include "resources/resource.h"
#include "tabs/TabPainter.h"
#include "tabs/mdlTabAPI.h"
#include "tests/win32/TabStripFixture.h"
#include "tests/win32/TabStripProbe.h"

#include <utility>
#include <vector>

namespace {

using tab_strip_test::TabStripTest;

TEST_F(TabStripTest, TheSelectedTabIsDrawnWithItsPieceOverItsNeighbours) {
    AddPage(L"a");
    AddPage(L"b");
    AddPage(L"c");
    strip->SetSelected(1);
    const int y = 12;
    EXPECT_EQ(Out(Middle(1), y + 8), Skin(IDB_TABS_LOW, 245 + 61, y + 8)) << "selected piece";
    EXPECT_EQ(Out(Middle(0), y + 8), Skin(IDB_TABS_LOW, 1 + 61, y + 8)) << "normal piece";
    // Where the selected tab's slanted left end meets tab 0's right end.
    const int joint = 40 + strip->TabItems().Item(1)->Left() - 2;
    EXPECT_EQ(Out(joint, 22), Skin(IDB_TABS_LOW, 245 + 12, 22)) << "the selected one lies on top";
}

TEST_F(TabStripTest, TheHoveredTabAndItsCloseButtonShowTheirPieces) {
    AddPage(L"a");
    AddPage(L"b");
    Send(WM_MOUSEMOVE, 0, Middle(1), 12);
    EXPECT_EQ(Out(Middle(1), 20), Skin(IDB_TABS_LOW, 123 + 61, 20)) << "hover piece";
    const auto item = strip->TabItems().Item(1);
    const int closeLeft = 40 + item->Left() + item->Width() - 24;
    Send(WM_MOUSEMOVE, 0, closeLeft + 6, 12);
    EXPECT_EQ(Out(closeLeft + 1, 6 + 5), Skin(IDB_TABS_LOW, 391 + 1, 5)) << "hot close piece";
    Send(WM_LBUTTONDOWN, MK_LBUTTON, closeLeft + 6, 12);
    EXPECT_EQ(Out(closeLeft + 1, 6 + 5), Skin(IDB_TABS_LOW, 403 + 1, 5)) << "pressed close piece";
}

// Text may be smoothed, so its ink is judged by hue, not by exact colour.
bool HasInk(HDC dc, int x0, int x1, int y0, int y1, bool (*ink)(COLORREF)) {
    for (int x = x0; x < x1; ++x) {
        for (int y = y0; y < y1; ++y) {
            if (ink(GetPixel(dc, x, y))) {
                return true;
            }
        }
    }
    return false;
}

bool Blue(COLORREF c) {
    return GetBValue(c) > GetRValue(c) + 80 && GetBValue(c) > 120;
}
bool Black(COLORREF c) {
    return GetRValue(c) < 70 && GetGValue(c) < 70 && GetBValue(c) < 70;
}

TEST_F(TabStripTest, TheSelectedCaptionIsBlueAndTheOthersBlack) {
    AddPage(L"WWWW");
    AddPage(L"WWWW");
    strip->SetSelected(0);
    const auto first = strip->TabItems().Item(0);
    const auto second = strip->TabItems().Item(1);
    const int firstLeft = 40 + first->Left();
    const int secondLeft = 40 + second->Left();
    EXPECT_TRUE(HasInk(strip->OutDC(), firstLeft, firstLeft + 80, 4, 22, Blue));
    EXPECT_TRUE(HasInk(strip->OutDC(), secondLeft, secondLeft + 70, 4, 22, Black));
    EXPECT_FALSE(HasInk(strip->OutDC(), secondLeft, secondLeft + 70, 4, 22, Blue));
}

TEST_F(TabStripTest, AHandlerMayPaintTheBackgroundInsteadOfTheStrip) {
    testing_support::Held() += strip->OnDrawBackground.Connect([](HDC hdc, long cx, long cy,
                                                                  bool& skip) {
        forms::UniqueHandle<HBRUSH, forms::GdiObjectDeleter> brush(CreateSolidBrush(RGB(1, 2, 3)));
        RECT r{0, 0, cx, cy};
        FillRect(hdc, &r, brush.get());
        skip = true;
    });
    strip->refresh();
    EXPECT_EQ(Out(5, 5), RGB(1, 2, 3)) << "left margin";
    EXPECT_EQ(Out(630, 5), RGB(1, 2, 3)) << "right margin";
}

std::vector<COLORREF> Pixels(HDC dc, int width, int height) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(GetPixel(dc, x, y));
        }
    }
    return pixels;
}

// Pieces kept from a drawing at other widths never stand in for the pieces
// of this one: the strip drawn from its kept pieces is the strip drawn with
// every piece made anew.
TEST_F(TabStripTest, KeptPiecesDrawExactlyWhatNewlyMadePiecesDraw) {
    for (int i = 0; i < 3; ++i) {
        AddPage(L"page " + std::to_wstring(i));
    }
    strip->refresh();
    for (int i = 3; i < 6; ++i) {
        AddPage(L"page " + std::to_wstring(i));
    }
    strip->TabItems().Item(4)->SetHideButton(true);
    strip->SetSelected(2);
    Send(WM_MOUSEMOVE, 0, Middle(3), 12);
    strip->refresh();
    const std::vector<COLORREF> kept = Pixels(strip->OutDC(), 640, 25);
    TabStripProbe::ForgetPieces(*strip);
    strip->refresh();
    EXPECT_EQ(Pixels(strip->OutDC(), 640, 25), kept);
}

// A hover change draws only its two tabs again: what it leaves in the
// buffer is what a full drawing gives, in both styles.
TEST_F(TabStripTest, PointerMovesRedrawTheirTabsWithTheFullDrawingsPixels) {
    for (int i = 0; i < 8; ++i) {
        AddPage(L"page " + std::to_wstring(i));
    }
    strip->TabItems().Item(5)->SetHideButton(true);
    strip->SetSelected(2);
    for (long tabStyle : {0L, 1L}) {
        strip->SetTabStyle(tabStyle);
        strip->Move(0, 0, 640 * 15, 32 * 15);
        strip->refresh();
        const int height = TabLayout::StyleOf(tabStyle).height;
        const TabLayout::Style& look = TabLayout::StyleOf(tabStyle);
        const auto tab3 = strip->TabItems().Item(3);
        const int closeX = 40 + tab3->Left() + tab3->Width() - look.closeRight + 6;
        const std::pair<int, int> moves[] = {
            {Middle(0), 12}, {Middle(3), 12}, {closeX, look.closeTop + 6},
            {Middle(2), 12}, {Middle(1), 12}, {Middle(7), 12}};
        for (const auto& [x, y] : moves) {
            Send(WM_MOUSEMOVE, 0, x, y);
            const std::vector<COLORREF> moved = Pixels(strip->OutDC(), 640, height);
            strip->refresh();
            EXPECT_EQ(Pixels(strip->OutDC(), 640, height), moved)
                << "style " << tabStyle << " at " << x;
        }
        SendMessageW(reinterpret_cast<HWND>(strip->hWnd()), WM_MOUSELEAVE, 0, 0);
        const std::vector<COLORREF> left = Pixels(strip->OutDC(), 640, height);
        strip->refresh();
        EXPECT_EQ(Pixels(strip->OutDC(), 640, height), left) << "style " << tabStyle << " left";
    }
}

// One locked tab (108, drawn 122 wide in the low style) and four at 94
// (drawn 108): in the high style the locked tab's normal piece is 108 wide,
// the size of the low style's unlocked pieces.
TEST_F(TabStripTest, AStyleChangedAtRunTimeDrawsThatStylesPieces) {
    for (int i = 0; i < 5; ++i) {
        AddPage(L"p" + std::to_wstring(i));
    }
    strip->TabItems().Item(0)->SetLockSize(true);
    strip->Move(0, 0, 558 * 15, 25 * 15);
    ASSERT_EQ(strip->TabWidth(), 94);
    strip->SetSelected(4);
    strip->SetTabStyle(1);
    strip->refresh();
    const std::vector<COLORREF> kept = Pixels(strip->OutDC(), 558, 25);
    TabStripProbe::ForgetPieces(*strip);
    strip->refresh();
    EXPECT_EQ(Pixels(strip->OutDC(), 558, 25), kept);
}

TEST(TabPainter, ABufferOfNoSizeIsNotMadeAndTheOnesBeforeItAreKept) {
    EXPECT_FALSE(mdlTabAPI::CreateMemDC(0, 10));
    TabPainter painter;
    EXPECT_FALSE(painter.CreateBuffers(100, 0, 25)) << "no tab area";
    EXPECT_TRUE(painter.HasBuffers());
    EXPECT_FALSE(painter.CreateBuffers(0, 60, 25));
    EXPECT_FALSE(painter.HasBuffers());
    EXPECT_TRUE(painter.CreateBuffers(100, 60, 25));
}

TEST(DrawTabText, ALongCaptionIsCutWithAnEllipsisAndAShortOneCentred) {
    const forms::BitmapDc dc = mdlTabAPI::CreateMemDC(200, 30);
    forms::UniqueHandle<HBRUSH, forms::GdiObjectDeleter> white(
        CreateSolidBrush(RGB(255, 255, 255)));
    RECT all{0, 0, 200, 30};
    auto firstInk = [&] {
        for (int x = 0; x < 200; ++x) {
            for (int y = 0; y < 30; ++y) {
                if (GetPixel(dc.get(), x, y) != RGB(255, 255, 255)) {
                    return x;
                }
            }
        }
        return -1;
    };
    SelectObject(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc.get(), TRANSPARENT);
    FillRect(dc.get(), &all, white.get());
    TabPainter::DrawTabText(dc.get(), L"A very long caption that cannot fit", 20, 0, 80, 25);
    const int longStart = firstInk();
    FillRect(dc.get(), &all, white.get());
    TabPainter::DrawTabText(dc.get(), L"ab", 20, 0, 80, 25);
    const int shortStart = firstInk();
    EXPECT_LE(longStart, 22) << "left-aligned";
    EXPECT_GT(shortStart, 40) << "centred";
}

} // namespace
