#include "tabs/TabPainter.h"

#include "forms/Picture.h"
#include "forms/core/KeyedScale.h"
#include "forms/core/Units.h"
#include "resources/Artwork.h"
#include "resources/resource.h"
#include "tabs/core/TabLayout.h"
#include "tabs/mdlTabAPI.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

constexpr COLORREF kSelectedText = RGB(4, 96, 163);
// Lengths in design pixels, drawn at the screen's DPI (the skins are held
// at that DPI too).
int Scaled(int designPixels) {
    return forms::ScaleDesignPixels(designPixels);
}
constexpr int kPieceEnd = 14; // unstretched ends of a tab piece

// Where a style keeps its pieces in its skin bitmap, which is loaded at the
// screen's DPI cell by cell (the artwork catalogue): background column, three tabs,
// four close buttons.
struct SkinPieces {
    int pieceWidth, pieceHeight;
    int normal, hover, selected;
    int closeOnSelected, closeNormal, closeHot, closePressed;
    int closeSize;
    int pieceEnd;       // the unstretched ends in the skin
    int backgroundRows; // of the background column
};
SkinPieces ScaledPieces(bool low) {
    const auto cells =
        forms::ScaledCells(resources::Artwork().Cells(low ? IDB_TABS_LOW : IDB_TABS_HIGH));
    return {cells[1].width,
            forms::ScaleDesignPixels(low ? 25 : 26),
            cells[1].left,
            cells[2].left,
            cells[3].left,
            cells[4].left,
            cells[5].left,
            cells[6].left,
            cells[7].left,
            cells[4].width,
            forms::ScaleDesignPixels(kPieceEnd),
            forms::ScaleDesignPixels(low ? 25 : 28)};
}
const SkinPieces& PiecesOf(long style) {
    static int dpi = 0;
    static SkinPieces pieces[2];
    if (dpi != forms::ScreenDpi()) {
        dpi = forms::ScreenDpi();
        pieces[0] = ScaledPieces(true);
        pieces[1] = ScaledPieces(false);
    }
    return pieces[style == 0 ? 0 : 1];
}
int SkinIndex(long style) {
    return style == 0 ? 0 : 1;
}

forms::GdiFont TabFont(LONG weight) {
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfWeight = weight;
    return forms::GdiFont(CreateFontIndirectW(&font));
}

// The text rectangle's x and width of a tab at left, width.
std::pair<int, int> TextSpan(long style, int left, int width, bool selected, bool closeButton) {
    if (style == 0) {
        return {left, width - Scaled(selected ? 26 : (closeButton ? 38 : 14))};
    }
    return {left + Scaled(12), width - Scaled(closeButton ? 28 : 8)};
}

} // namespace

TabPainter::TabPainter()
    : lowSkin_(mdlTabAPI::CreateBitmapDC(forms::LoadArtwork(IDB_TABS_LOW))),
      highSkin_(mdlTabAPI::CreateBitmapDC(forms::LoadArtwork(IDB_TABS_HIGH))),
      normalFont_(TabFont(100)), boldFont_(TabFont(700)) {}

bool TabPainter::CreateBuffers(int width, int areaWidth, int height) {
    FreeBuffers();
    outDC_ = mdlTabAPI::CreateMemDC(width, height);
    backDC_ = outDC_ ? mdlTabAPI::CreateMemDC(width, height) : forms::BitmapDc();
    tabsDC_ = backDC_ ? mdlTabAPI::CreateMemDC(areaWidth, height) : forms::BitmapDc();
    if (!tabsDC_) {
        return false;
    }
    tabsFont_ = forms::SelectedObject(tabsDC_.get(), normalFont_.get());
    SetBkMode(tabsDC_.get(), TRANSPARENT);
    return true;
}

void TabPainter::FreeBuffers() {
    pieces_.Clear();
    tabsFont_.Restore();
    outDC_.reset();
    backDC_.reset();
    tabsDC_.reset();
}

void TabPainter::DrawBackground(long style, int width) {
    if (!backDC_) {
        return;
    }
    StretchBlt(backDC_.get(), 0, 0, width, TabLayout::StyleOf(style).height, SkinOf(style), 0, 0, 1,
               PiecesOf(style).backgroundRows, SRCCOPY);
}

void TabPainter::DrawTabs(const TabScene& scene) {
    if (!HasBuffers()) {
        return;
    }
    const int height = TabLayout::StyleOf(scene.style).height;
    BitBlt(outDC_.get(), 0, 0, scene.controlWidth, height, backDC_.get(), 0, 0, SRCCOPY);
    if (tabsDC_) {
        ComposeTabs(scene, {0, scene.AreaWidth()}, {0, 0});
    }
}

std::pair<int, int> TabPainter::RedrawTabs(const TabScene& scene, int first, int second) {
    if (!HasBuffers() || !tabsDC_) {
        return {0, 0};
    }
    Span a = ReachInArea(scene, first);
    Span b = second != first ? ReachInArea(scene, second) : Span{0, 0};
    if (a.first >= a.second) {
        a = std::exchange(b, Span{0, 0});
    }
    if (a.first >= a.second) {
        return {0, 0};
    }
    if (b.first < b.second && b.first <= a.second && a.first <= b.second) {
        a = {std::min(a.first, b.first), std::max(a.second, b.second)};
        b = {0, 0};
    } else if (b.first < a.first) {
        std::swap(a, b);
    }
    const int end = b.first < b.second ? b.second : a.second;
    const int height = TabLayout::StyleOf(scene.style).height;
    // Outside the spans the tab area is scratch: no work is spent there.
    IntersectClipRect(tabsDC_.get(), a.first, 0, end, height);
    if (b.first < b.second) {
        ExcludeClipRect(tabsDC_.get(), a.second, 0, b.first, height);
    }
    ComposeTabs(scene, a, b);
    SelectClipRgn(tabsDC_.get(), nullptr);
    return {scene.leftSize + a.first, scene.leftSize + end};
}

// Everything a tab's drawing can touch, its piece's overhanging ends
// included, in tab-area pixels.
TabPainter::Span TabPainter::Reach(const TabScene::Tab& tab) {
    const int end = Scaled(kPieceEnd);
    return {tab.left - end, tab.left + tab.width + end};
}

// A tab's reach cut to the tab area; empty for no tab.
TabPainter::Span TabPainter::ReachInArea(const TabScene& scene, int position) {
    if (position < 0 || position >= static_cast<int>(scene.tabs.size())) {
        return {0, 0};
    }
    const Span reach = Reach(scene.tabs[static_cast<std::size_t>(position)]);
    return {std::max(reach.first, 0), std::min(reach.second, scene.AreaWidth())};
}

// The tabs over the background in the spans first and second (second may
// be empty), in the full drawing's order, then those spans into the output
// buffer. The normal font is already in the tab area's DC.
void TabPainter::ComposeTabs(const TabScene& scene, Span first, Span second) {
    const int height = TabLayout::StyleOf(scene.style).height;
    const int count = static_cast<int>(scene.tabs.size());
    const Span spans[] = {first, second};
    auto touches = [&](int p) {
        const Span reach = Reach(scene.tabs[static_cast<std::size_t>(p)]);
        for (const Span& span : spans) {
            if (span.first < span.second && reach.first < span.second &&
                span.first < reach.second) {
                return true;
            }
        }
        return false;
    };
    HDC tabs = tabsDC_.get();
    SetTextColor(tabs, RGB(0, 0, 0));
    for (const Span& span : spans) {
        if (span.first < span.second) {
            BitBlt(tabs, span.first, 0, span.second - span.first, height, backDC_.get(),
                   scene.leftSize + span.first, 0, SRCCOPY);
        }
    }
    for (int p = count - 1; p >= 0; --p) {
        if (p != scene.selected && touches(p)) {
            DrawTab(scene, p, false);
        }
    }
    if (scene.selected >= 0 && scene.selected < count && touches(scene.selected)) {
        const forms::SelectedObject bold(tabs, boldFont_.get());
        SetTextColor(tabs, kSelectedText);
        DrawTab(scene, scene.selected, true);
    }
    for (const Span& span : spans) {
        if (span.first < span.second) {
            BitBlt(outDC_.get(), scene.leftSize + span.first, 0, span.second - span.first, height,
                   tabs, span.first, 0, SRCCOPY);
        }
    }
}

void TabPainter::DrawTab(const TabScene& scene, int position, bool selected) {
    const TabScene::Tab& tab = scene.tabs[static_cast<std::size_t>(position)];
    const SkinPieces pieces = PiecesOf(scene.style);
    const bool low = scene.style == 0;
    const bool hovered = scene.hoverIndex == position;

    const int pieceX = selected ? pieces.selected : (hovered ? pieces.hover : pieces.normal);
    if (low) {
        const int end = Scaled(kPieceEnd);
        DrawPiece(scene.style, pieceX, tab.left - end, tab.width + end);
    } else {
        DrawPiece(scene.style, pieceX, tab.left, tab.width);
    }

    const bool closeButton = TabLayout::ShowsCloseBox(
        scene.style, {false, tab.hideButton, tab.left, tab.width, selected});
    const auto [textX, textWidth] =
        TextSpan(scene.style, tab.left, tab.width, selected, closeButton);
    DrawTabText(tabsDC_.get(), tab.caption, textX, 0, textWidth, pieces.pieceHeight);
    if (!closeButton) {
        return;
    }
    int closeX = selected ? pieces.closeOnSelected : pieces.closeNormal;
    if (hovered && scene.closeState == 1) {
        closeX = pieces.closeHot;
    } else if (hovered && scene.closeState == 2) {
        closeX = pieces.closePressed;
    }
    const TabLayout::Style style = TabLayout::StyleOf(scene.style);
    DrawClosePiece(scene.style, closeX, tab.left + tab.width - style.closeRight, style.closeTop);
}

// A tab piece stretched to the drawn width, its two ends kept.
void TabPainter::DrawPiece(long style, int pieceX, int x, int width) {
    const SkinPieces& pieces = PiecesOf(style);
    pieces_.Blit(tabsDC_.get(), x, 0, {SkinIndex(style), pieceX, width, pieces.pieceHeight},
                 [&](HDC buffer) {
                     mdlTabAPI::DrawSkin(buffer, 0, 0, width, pieces.pieceHeight, SkinOf(style),
                                         pieceX, 0, pieces.pieceWidth, pieces.pieceHeight,
                                         pieces.pieceEnd, 0, pieces.pieceEnd, 0, std::nullopt);
                 });
}

void TabPainter::DrawClosePiece(long style, int closeX, int x, int y) {
    HDC skin = SkinOf(style);
    const int size = PiecesOf(style).closeSize;
    pieces_.Blit(tabsDC_.get(), x, y, {SkinIndex(style), closeX, size, size},
                 [&](HDC buffer) { BitBlt(buffer, 0, 0, size, size, skin, closeX, 0, SRCCOPY); });
}

HDC TabPainter::SkinOf(long style) const {
    return style == 0 ? lowSkin_.get() : highSkin_.get();
}

void TabPainter::DrawTabText(HDC hDC, const std::wstring& text, int x, int y, int width,
                             int height) {
    SIZE extent{};
    GetTextExtentPoint32W(hDC, text.c_str(), static_cast<int>(text.size()), &extent);
    if (width < extent.cx) {
        const auto top = y + forms::RoundHalfEven((height - extent.cy) / 2.0);
        mdlTabAPI::DrawTextRect(hDC, text, -1, x, static_cast<int>(top), width, height,
                                DT_END_ELLIPSIS);
    } else {
        mdlTabAPI::DrawTextRect(hDC, text, -1, x, y, width, height,
                                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}
