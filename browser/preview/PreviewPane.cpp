#include "browser/preview/PreviewPane.h"

#include "browser/core/PageUrl.h"
#include "forms/Application.h"
#include "forms/Handles.h"
#include "forms/core/Units.h"

#include <algorithm>

namespace browser {

namespace {

constexpr wchar_t kPaneClass[] = L"TavrinPreviewPane";
// Design pixels, laid out at the screen's DPI.
constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr int kTitleHeight = 20;
constexpr int kButtonHeight = 24;
constexpr int kButtonPadding = 24;
constexpr int kFirstButtonId = 100;

HFONT Font() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// A button shows "&" as the underline of the next letter unless doubled.
std::wstring Caption(const PageLink& link) {
    std::wstring caption;
    for (const wchar_t c : link.text.empty() ? link.href : link.text) {
        caption += c == L'&' ? L"&&" : std::wstring(1, c);
    }
    return caption;
}

} // namespace

PreviewPane::PreviewPane(HWND parent, int depth, LinkClicked clicked)
    : depth_(depth), clicked_(std::move(clicked)) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | (depth > 0 ? WS_BORDER : 0);
    CreateBound(0, L"", style, 0, 0, 0, 0, parent,
                {kPaneClass, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), 0});
}

PreviewPane::~PreviewPane() {
    frames_.clear();
}

std::wstring PreviewPane::FrameUrl(std::size_t index) const {
    return ResolveUrl(url_, page_.frames[index]);
}

void PreviewPane::Show(const std::wstring& url, PageScan page) {
    frames_.clear();
    for (HWND button : buttons_) {
        DestroyWindow(button);
    }
    buttons_.clear();
    if (title_ != nullptr) {
        DestroyWindow(title_);
    }
    url_ = url;
    page_ = std::move(page);
    title_ = page_.title.empty()
                 ? nullptr
                 : AddChild(L"STATIC", page_.title, SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 0);
    for (std::size_t i = 0; i < page_.links.size(); ++i) {
        buttons_.push_back(AddChild(L"BUTTON", Caption(page_.links[i]), BS_PUSHBUTTON,
                                    kFirstButtonId + static_cast<int>(i)));
    }
    for (std::size_t i = 0; i < page_.frames.size(); ++i) {
        frames_.push_back(std::make_unique<PreviewPane>(hWnd(), depth_ + 1, clicked_));
    }
}

HWND PreviewPane::AddChild(const wchar_t* type, const std::wstring& text, DWORD style, int id) {
    HWND child = CreateWindowExW(0, type, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                 hWnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 forms::Application::Instance(), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    return child;
}

SIZE PreviewPane::ButtonSize(const std::wstring& caption) const {
    forms::WindowDc dc(hWnd());
    forms::SelectedObject font(dc.get(), Font());
    SIZE size = {};
    GetTextExtentPoint32W(dc.get(), caption.c_str(), static_cast<int>(caption.size()), &size);
    return {size.cx + forms::ScaleDesignPixels(kButtonPadding),
            forms::ScaleDesignPixels(kButtonHeight)};
}

// Title on top, then the buttons in rows, then the frames one below another.
int PreviewPane::Layout(int width) {
    const int margin = forms::ScaleDesignPixels(kMargin);
    const int gap = forms::ScaleDesignPixels(kGap);
    const int titleHeight = forms::ScaleDesignPixels(kTitleHeight);
    const int buttonHeight = forms::ScaleDesignPixels(kButtonHeight);
    int y = margin;
    if (title_ != nullptr) {
        MoveWindow(title_, margin, y, std::max(width - 2 * margin, 0), titleHeight, TRUE);
        y += titleHeight + gap;
    }
    int x = margin;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const SIZE size = ButtonSize(Caption(page_.links[i]));
        if (x > margin && x + size.cx > width - margin) {
            x = margin;
            y += buttonHeight + gap;
        }
        MoveWindow(buttons_[i], x, y, size.cx, size.cy, TRUE);
        x += size.cx + gap;
    }
    y += buttons_.empty() ? 0 : buttonHeight + gap;
    for (const auto& frame : frames_) {
        const int frameWidth = std::max(width - 2 * margin, 0);
        const int height = frame->Layout(frameWidth - 2) + 2; // inside its border
        MoveWindow(frame->Window(), margin, y, frameWidth, height, TRUE);
        y += height + gap;
    }
    return y + margin - gap;
}

LRESULT PreviewPane::OnCommand(WPARAM wParam) {
    const int index = LOWORD(wParam) - kFirstButtonId;
    if (HIWORD(wParam) == BN_CLICKED && index >= 0 &&
        index < static_cast<int>(page_.links.size())) {
        const PageLink link = page_.links[static_cast<std::size_t>(index)];
        clicked_(*this, link);
    }
    return 0;
}

LRESULT PreviewPane::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        return OnCommand(wParam);
    }
    if (message == WM_CTLCOLORSTATIC) { // the title, black on the white surface in any theme
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    return DefaultProcedure(message, wParam, lParam);
}

} // namespace browser
