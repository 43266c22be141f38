#include "controls/BForm.h"
#include "controls/core/SkinLayout.h"
#include "forms/SingleForm.h"
#include "forms/core/Units.h"
#include "resources/resource.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>

namespace {

forms::FormDesign HostDesign() {
    forms::FormDesign design;
    design.caption = L"Host";
    design.style = WS_POPUP;
    design.clientWidthTwips = 7500;
    design.clientHeightTwips = 4500;
    return design;
}

class HostFrm : public forms::SingleForm<HostFrm> {
public:
    HostFrm() : SingleForm(HostDesign()) {}
};

// The skin's own pixel at a twips position of the skin.
COLORREF SkinPixel(int twipsX, int twipsY) {
    forms::PicturePtr skin = forms::Picture::FromResource(IDB_FRAME);
    forms::MemoryDc dc(CreateCompatibleDC(nullptr));
    forms::SelectedObject selection(dc.get(), skin->Bitmap());
    return GetPixel(dc.get(), forms::TwipsToPixels(twipsX), forms::TwipsToPixels(twipsY));
}

class FrameTest : public testing::Test {
protected:
    void SetUp() override {
        HostFrm& host = HostFrm::Instance();
        SetWindowPos(host.hWnd(), nullptr, 0, 0, 500, 300,
                     SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
        bar.Create(host.hWnd(), 0, 0, 7500, 900);
    }
    void TearDown() override {
        if (HostFrm::Exists()) {
            HostFrm::Instance().Unload();
        }
        testing_support::DrainPosted();
    }
    COLORREF Bar(int twipsX, int twipsY) const {
        return GetPixel(bar.hDC(), forms::TwipsToPixels(twipsX), forms::TwipsToPixels(twipsY));
    }

    BForm bar{forms::Picture::FromResource(IDB_FRAME)};
};

TEST_F(FrameTest, TheBarIsAlways500TwipsHigh) {
    EXPECT_EQ(forms::TwipsToPixels(bar.Height()), forms::TwipsToPixels(500));
    bar.Move(0, 0, 7500, 2000);
    EXPECT_EQ(forms::TwipsToPixels(bar.Height()), forms::TwipsToPixels(500));
}

TEST_F(FrameTest, ARightClickAfterADragOfTheBarLeavesNoCapture) {
    bar.SetfrmHwnd(HostFrm::Instance().hWnd());
    // The system's move loop swallows the button-up; a queued one ends it.
    PostMessageW(HostFrm::Instance().hWnd(), WM_LBUTTONUP, 0, 0);
    SendMessageW(bar.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 10));
    SendMessageW(bar.hWnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 10));
    SendMessageW(bar.hWnd(), WM_RBUTTONUP, 0, MAKELPARAM(40, 10));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(FrameTest, TheBarIsTiledFromTheSkin) {
    // Every piece position shows the skin pixel it was copied from.
    for (const SkinLayout::Piece& p : SkinLayout::CaptionBar(7500)) {
        if (p.x + 30 < 7500) {
            EXPECT_EQ(Bar(p.x + 30, 450), SkinPixel(p.sourceX + 30, 450)) << p.x;
        }
    }
    EXPECT_EQ(Bar(7500 - 60, 30), SkinPixel(1410 - 60, 30)) << "right cap";
    EXPECT_EQ(Bar(15, 30), SkinPixel(15, 30)) << "left cap";
}

bool HasTitleInk(HDC dc, int fromX, int toX) {
    for (int x = fromX; x < toX; ++x) {
        for (int y = 10; y < 22; ++y) {
            if (GetPixel(dc, x, y) == RGB(255, 255, 255)) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(FrameTest, TheTitleIsWhiteAndStartsFurtherInWithALogo) {
    bar.SetCaption(L"Drelmoor2客户端");
    EXPECT_TRUE(HasTitleInk(bar.hDC(), 10, 16)) << "title at 150 twips";
    bar.SetHasLogo(true);
    EXPECT_FALSE(HasTitleInk(bar.hDC(), 10, 38));
    EXPECT_TRUE(HasTitleInk(bar.hDC(), 40, 60)) << "title at 600 twips";
}

TEST_F(FrameTest, PrintformPaintsTheLeftRightAndBottomBorder) {
    HostFrm& host = HostFrm::Instance();
    bar.Printform(host);
    HDC surface = host.Surface();
    // A 500 x 300 pixel form: tiles of 300 twips start at 20-pixel steps, so
    // row and column 200 are where tile 10 begins.
    EXPECT_EQ(GetPixel(surface, 1, 200), SkinPixel(15, 800)) << "left edge";
    EXPECT_EQ(GetPixel(surface, 498, 200), SkinPixel(1380, 800)) << "right edge";
    EXPECT_EQ(GetPixel(surface, 200, 298), SkinPixel(300, 1245)) << "bottom edge";
    EXPECT_EQ(GetPixel(surface, 200, 200), GetSysColor(COLOR_BTNFACE)) << "inside stays clear";
}

TEST_F(FrameTest, APressOnTheBarRaisesMouseDownAndMovesNothingWithoutAHost) {
    int downs = 0;
    testing_support::Held() += bar.MouseDown.Connect([&](int& button, int&, float&, float&) {
        EXPECT_EQ(button, 1);
        ++downs;
    });
    RECT before{};
    GetWindowRect(HostFrm::Instance().hWnd(), &before);
    SendMessageW(bar.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 10));
    SendMessageW(bar.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(50, 10));
    RECT after{};
    GetWindowRect(HostFrm::Instance().hWnd(), &after);
    EXPECT_EQ(downs, 1);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(FrameTest, SettingsAreSavedWithTheirDefaultsLeftOut) {
    forms::PropertyBag bag;
    bar.WriteProperties(bag);
    EXPECT_EQ(bag.Keys(), std::vector<std::string>{"HasLogo"});
    bar.SetCaption(L"T");
    bar.SetBackColorText(L"255");
    bag.Clear();
    bar.WriteProperties(bag);
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"BackColor", "Caption", "HasLogo"}));
    EXPECT_FALSE(bar.SetBackColorText(L"red"));
    EXPECT_EQ(bar.BackColorText(), L"255");
}

} // namespace
