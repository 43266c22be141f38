#pragma once

#include "forms/Handles.h"
#include "tabs/TabPieceCache.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// The strip as one drawing sees it.
struct TabScene {
    struct Tab {
        std::wstring caption;
        int left = 0;
        int width = 0;
        bool hideButton = false;
    };
    long style = 0;
    int controlWidth = 0;
    int leftSize = 0;
    int rightSize = 0;
    int selected = -1;
    int hoverIndex = -1;
    int closeState = 0;
    std::vector<Tab> tabs;

    int AreaWidth() const { return controlWidth - leftSize - rightSize; }
};

// The tab strip's drawing: the two skins, the tab fonts, the three buffers
// and the stretched pieces kept between redraws. Drawing goes to memory;
// the strip copies the finished picture to the screen.
class TabPainter {
public:
    TabPainter();

    // False when a buffer cannot be made (a size of zero): those made
    // before it are kept.
    bool CreateBuffers(int width, int areaWidth, int height);
    void FreeBuffers();
    HDC BackDC() const { return backDC_.get(); }
    HDC OutDC() const { return outDC_.get(); }
    bool HasBuffers() const { return outDC_ && backDC_; }

    // The style's background column stretched over the background buffer.
    void DrawBackground(long style, int width);
    // The tabs over the background, composed into the output buffer.
    void DrawTabs(const TabScene& scene);
    // Draws again only what two tabs cover (a hover change), overlapping
    // neighbours included, with the same pixels as a full drawing. Answers
    // the part of the output buffer that holds all that was redrawn,
    // [first, second); empty when nothing was drawn.
    std::pair<int, int> RedrawTabs(const TabScene& scene, int first, int second);
    // One caption in its rectangle, as the tabs draw it.
    static void DrawTabText(HDC hDC, const std::wstring& text, int x, int y, int width, int height);

private:
    // A stretch of the tab area, [from, to) in its pixels.
    using Span = std::pair<int, int>;
    static Span Reach(const TabScene::Tab& tab);
    static Span ReachInArea(const TabScene& scene, int position);
    void ComposeTabs(const TabScene& scene, Span first, Span second);
    void DrawTab(const TabScene& scene, int position, bool selected);
    void DrawPiece(long style, int pieceX, int x, int width);
    void DrawClosePiece(long style, int closeX, int x, int y);
    HDC SkinOf(long style) const;

    forms::BitmapDc lowSkin_;
    forms::BitmapDc highSkin_;
    forms::GdiFont normalFont_;
    forms::GdiFont boldFont_;
    forms::BitmapDc backDC_;
    forms::BitmapDc outDC_;
    forms::BitmapDc tabsDC_;
    // Stays selected: selecting a font is one of the dearest calls in a redraw.
    forms::SelectedObject tabsFont_;
    // Stretched pieces, kept between redraws.
    TabPieceCache pieces_;

    // Tests and the benchmark empty the kept pieces to draw them all anew.
    friend class TabStripProbe;
};
