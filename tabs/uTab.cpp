#include "tabs/uTab.h"

#include "forms/Units.h"
#include "tabs/TabError.h"
#include "tabs/mdlTabAPI.h"

namespace {

constexpr WORD kLowSkin = 106;
constexpr WORD kHighSkin = 107;
constexpr COLORREF kSelectedText = RGB(4, 96, 163);

// Where a style keeps its pieces in its skin bitmap.
struct SkinPieces {
    int pieceWidth, pieceHeight;
    int normal, hover, selected;
    int closeOnSelected, closeNormal, closeHot, closePressed;
    int backgroundRows; // of the background column
};
constexpr SkinPieces kLowPieces{122, 25, 1, 123, 245, 367, 379, 391, 403, 25};
constexpr SkinPieces kHighPieces{124, 26, 1, 125, 249, 373, 385, 397, 409, 28};
const SkinPieces& PiecesOf(long style) {
    return style == 0 ? kLowPieces : kHighPieces;
}

HBITMAP LoadSkin(WORD id) {
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

forms::GdiFont TabFont(LONG weight) {
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfWeight = weight;
    return forms::GdiFont(CreateFontIndirectW(&font));
}

float Pixels(float twips) {
    return twips / forms::kTwipsPerPixel;
}

} // namespace

uTab::uTab() {
    SkinDC0 = mdlTabAPI::CreateBitmapDC(LoadSkin(kLowSkin));
    SkinDC1 = mdlTabAPI::CreateBitmapDC(LoadSkin(kHighSkin));
    items_.AttachTab(*this);
    hFontNormal = TabFont(100);
    hFontBold = TabFont(700);
    c_Subclass.WindowProc.Connect(
        [this](bool, bool& handled, LRESULT& result, HWND window, UINT message, WPARAM, LPARAM,
               LONG_PTR&) { c_Subclass_WindowProc(handled, result, window, message); });
}

uTab::~uTab() {
    c_Subclass.ssc_Terminate();
    ForgetPieces();
    mdlTabAPI::DeleteMemDC(SkinDC0);
    mdlTabAPI::DeleteMemDC(SkinDC1);
    FreeBuffers();
}

void uTab::LockReDraw(bool bLock) {
    redrawEnabled_ = !bLock;
    if (redrawEnabled_) {
        CalcTabWidth();
        LayoutTabs();
        DrawAll(true);
    }
}

void uTab::SethContainerWnd(HWND container) {
    container_ = container;
    c_Subclass.ssc_Subclass(container, 0, 1, true, nullptr, false);
    c_Subclass.ssc_AddMsg(container, WM_SIZE, CSubclass::WHEN_AFTER);
}

void uTab::RefreshPage() {
    const std::shared_ptr<CTabItem> item = items_.Item(selected_);
    if (!item || item->Form() == nullptr) {
        throw TabError(TabError::kObjectNotSet, "Object variable or With block variable not set");
    }
    item->Form()->RefreshPage();
}

// ---- IuTab --------------------------------------------------------------

void uTab::Add(const std::wstring&, ITabForm& Form, const std::optional<std::wstring>&,
               const std::optional<TabIndex>&) {
    AttachPage(reinterpret_cast<HWND>(Form.hWnd()));
    if (selected_ > items_.Count() || selected_ < 0) {
        selected_ = 0;
    }
    CalcTabWidth();
    LayoutTabs();
    DrawTabs(true);
}

bool uTab::BeforeRemove(int Index) {
    bool cancel = false;
    OnItemColose(Index, cancel);
    return !cancel;
}

void uTab::Remove(int Index) {
    CalcTabWidth();
    LayoutTabs();
    if (Index == selected_) {
        selected_ = 0;
    } else if (selected_ > Index) {
        --selected_;
    }
    ShowSelectedPage();
    DrawTabs(true);
}

void uTab::Clear() {
    CalcTabWidth();
    selected_ = 0;
    DrawTabs(true);
}

void uTab::Redraw(bool) {
    DrawAll(true);
}

void uTab::ChangeForm(CTabItem&, ITabForm& Form) {
    AttachPage(reinterpret_cast<HWND>(Form.hWnd()));
    ShowSelectedPage();
}

void uTab::SetSelected(int value) {
    if (value < 0) {
        selected_ = -1;
    } else if (value > items_.Count() - 1) {
        return;
    } else {
        selected_ = value;
        ShowSelectedPage();
    }
    DrawAll(true);
}

WindowHandle uTab::hWnd() const {
    return reinterpret_cast<WindowHandle>(UserControl::hWnd());
}

WindowHandle uTab::hParent() const {
    return reinterpret_cast<WindowHandle>(GetAncestor(UserControl::hWnd(), GA_ROOT));
}

// ---- stored settings ----------------------------------------------------

void uTab::ReadProperties(const forms::PropertyBag& bag) {
    tabStyle_ = bag.Read<std::int32_t>("TabStyle", tabStyle_);
    leftSize_ = bag.Read<std::int32_t>("TabLeftSize", leftSize_);
    rightSize_ = bag.Read<std::int32_t>("TabRightSize", rightSize_);
    c_Subclass.ssc_Subclass(UserControl::hWnd(), 0, 1, true, nullptr, false);
    c_Subclass.ssc_AddMsg(UserControl::hWnd(), CSubclass::ALL_MESSAGES, CSubclass::WHEN_BEFORE);
}

void uTab::WriteProperties(forms::PropertyBag& bag) const {
    bag.Write<std::int32_t>("TabStyle", tabStyle_);
    bag.Write<std::int32_t>("TabLeftSize", leftSize_);
    bag.Write<std::int32_t>("TabRightSize", rightSize_);
}

// ---- messages and mouse -------------------------------------------------

void uTab::c_Subclass_WindowProc(bool& bHandled, LRESULT& lReturn, HWND lng_hWnd, UINT uMsg) {
    if (lng_hWnd == container_) {
        if (uMsg == WM_SIZE) {
            ShowSelectedPage();
        }
        return;
    }
    switch (uMsg) {
    case WM_ERASEBKGND:
        bHandled = true;
        lReturn = 0;
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(lng_hWnd, &ps);
        if (outDC_ != nullptr) {
            BitBlt(dc, 0, 0, ControlWidth(), StripHeight(), outDC_, 0, 0, SRCCOPY);
        }
        EndPaint(lng_hWnd, &ps);
        bHandled = true;
        lReturn = 0;
        break;
    }
    case WM_MOUSELEAVE:
        if (hoverIndex_ != -1) {
            hoverIndex_ = -1;
            DrawTabs(true);
        }
        OnMouseLeave();
        break;
    default:
        break;
    }
}

TabLayout::Hit uTab::HitTest(double x, double y) const {
    return TabLayout::HitTest(tabStyle_, x, y, ControlWidth(), leftSize_, rightSize_, Geometry());
}

void uTab::HandleMouseDown(int button, int shift, float x, float y) {
    Press(button, shift, Pixels(x), Pixels(y));
}

void uTab::Press(int button, int shift, float x, float y) {
    lastButton_ = button;
    lastShift_ = shift;
    lastX_ = x;
    lastY_ = y;
    long p = 0;
    if (button == forms::kLeftButton) {
        const TabLayout::Hit hit = HitTest(x, y);
        p = hit.index;
        if (p >= 0 && p < items_.Count()) {
            if (p != selected_ && !hit.close) {
                selected_ = static_cast<int>(p);
                ShowSelectedPage();
                DrawTabs(true);
            } else if (hit.close && closeState_ != 2) {
                closeState_ = 2;
                DrawTabs(true);
            }
            TabChanged();
        }
    }
    OnMouseDown(p, button, shift, x, y);
}

void uTab::HandleMouseMove(int button, int shift, float twipsX, float twipsY) {
    float x = Pixels(twipsX);
    float y = Pixels(twipsY);
    long p = 0;
    if (button == 0) {
        c_Subclass.TrackMouseTracking(UserControl::hWnd());
        const TabLayout::Hit hit = HitTest(x, y);
        p = hit.index;
        const int hot = hit.close ? 1 : 0;
        if (p != hoverIndex_ || hot != closeState_) {
            if (p != hoverIndex_) {
                OnMouseHover(p, button, shift, x, y);
            }
            closeState_ = hot;
            hoverIndex_ = static_cast<int>(p);
            DrawTabs(true);
        }
    }
    OnMouseMove(p, button, shift, x, y);
}

void uTab::HandleMouseUp(int button, int shift, float twipsX, float twipsY) {
    float x = Pixels(twipsX);
    float y = Pixels(twipsY);
    long p = 0;
    if (button == forms::kLeftButton) {
        const TabLayout::Hit hit = HitTest(x, y);
        p = hit.index;
        closeState_ = 0;
        if (p >= 0 && p < items_.Count() && p == hoverIndex_ && hit.close &&
            !items_.Item(static_cast<int>(p))->HideButton()) {
            items_.Remove(static_cast<int>(p), true);
        }
        DrawAll(true);
    }
    OnMouseUp(p, button, shift, x, y);
}

void uTab::HandleDblClick() {
    const long p = HitTest(lastX_, lastY_).index;
    int button = lastButton_;
    int shift = lastShift_;
    float x = lastX_;
    float y = lastY_;
    Press(button, shift, x, y);
    OnDblClick(p, button, shift, x, y);
}

void uTab::HandleResize() {
    const int height = forms::PixelsToTwips(StripHeight());
    if (forms::TwipsToPixels(Height()) != StripHeight()) {
        SetSize(Width(), height);
        return; // the resize that follows does the rest
    }
    try {
        CreateBuffers();
    } catch (const TabError&) {
        // A strip narrower than its margins has no tab area to draw.
    }
    CalcTabWidth();
    LayoutTabs();
    DrawAll(true);
}

// ---- page hosting -------------------------------------------------------

void uTab::AttachPage(HWND page) {
    RECT client{};
    GetClientRect(container_, &client);
    SetParent(page, container_);
    mdlTabAPI::SetWindowStyleBits(page, GWL_STYLE, WS_CAPTION | WS_THICKFRAME, WS_CHILD,
                                  SWP_FRAMECHANGED);
    SetWindowPos(page, nullptr, 0, 0, client.right, client.bottom,
                 SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
}

void uTab::ShowSelectedPage() {
    if (selected_ < 0 || selected_ >= items_.Count() || container_ == nullptr) {
        return;
    }
    const std::shared_ptr<CTabItem> item = items_.Item(selected_);
    if (item->Form() == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(container_, &client);
    SetWindowPos(reinterpret_cast<HWND>(item->Form()->hWnd()), HWND_TOP, 0, 0, client.right,
                 client.bottom, SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

int uTab::ControlWidth() const {
    return forms::TwipsToPixels(Width());
}

std::vector<TabLayout::Tab> uTab::Geometry() const {
    std::vector<TabLayout::Tab> tabs;
    for (int p = 0; p < items_.Count(); ++p) {
        const std::shared_ptr<CTabItem> item = items_.Item(p);
        tabs.push_back({item->LockSize(), item->HideButton(), item->Left(), item->Width()});
    }
    return tabs;
}

// ---- painting -----------------------------------------------------------

void uTab::CreateBuffers() {
    FreeBuffers();
    ForgetPieces();
    const int w = ControlWidth();
    outDC_ = mdlTabAPI::CreateMemDC(w, StripHeight());
    backDC_ = mdlTabAPI::CreateMemDC(w, StripHeight());
    tabsDC_ = mdlTabAPI::CreateMemDC(AreaWidth(), StripHeight());
}

void uTab::FreeBuffers() {
    for (HDC* buffer : {&outDC_, &backDC_, &tabsDC_}) {
        if (*buffer != nullptr) {
            mdlTabAPI::DeleteMemDC(*buffer);
            *buffer = nullptr;
        }
    }
}

void uTab::CalcTabWidth() {
    if (redrawEnabled_) {
        tabWidth_ = TabLayout::CalcTabWidth(tabStyle_, AreaWidth(), Geometry());
    }
}

void uTab::LayoutTabs() {
    if (!redrawEnabled_) {
        return;
    }
    std::vector<TabLayout::Tab> tabs = Geometry();
    TabLayout::LayoutTabs(tabStyle_, tabWidth_, tabs);
    for (int p = 0; p < items_.Count(); ++p) {
        const std::shared_ptr<CTabItem> item = items_.Item(p);
        item->SetLeft(tabs[static_cast<std::size_t>(p)].left);
        item->SetWidth(tabs[static_cast<std::size_t>(p)].width);
    }
}

void uTab::DrawAll(bool bUpdate) {
    if (!redrawEnabled_) {
        return;
    }
    DrawBackground();
    DrawTabs(bUpdate);
}

void uTab::DrawBackground() {
    if (!redrawEnabled_ || backDC_ == nullptr) {
        return;
    }
    bool skipDefault = false;
    OnDrawBackground(backDC_, ControlWidth(), StripHeight(), skipDefault);
    if (!skipDefault) {
        const SkinPieces& pieces = PiecesOf(tabStyle_);
        StretchBlt(backDC_, 0, 0, ControlWidth(), StripHeight(), tabStyle_ == 0 ? SkinDC0 : SkinDC1,
                   0, 0, 1, pieces.backgroundRows, SRCCOPY);
    }
}

void uTab::DrawTabs(bool bUpdate) {
    if (!redrawEnabled_ || outDC_ == nullptr || backDC_ == nullptr) {
        return;
    }
    if (tabsDC_ != nullptr) {
        SetBkMode(tabsDC_, TRANSPARENT);
        SelectObject(tabsDC_, hFontNormal.get());
        SetTextColor(tabsDC_, RGB(0, 0, 0));
        BitBlt(tabsDC_, 0, 0, AreaWidth(), StripHeight(), backDC_, leftSize_, 0, SRCCOPY);
        for (int p = items_.Count() - 1; p >= 0; --p) {
            if (p != selected_) {
                DrawTab(p, false);
            }
        }
        SelectObject(tabsDC_, hFontBold.get());
        SetTextColor(tabsDC_, kSelectedText);
        if (selected_ >= 0 && selected_ < items_.Count()) {
            DrawTab(selected_, true);
        }
    }
    BitBlt(outDC_, 0, 0, ControlWidth(), StripHeight(), backDC_, 0, 0, SRCCOPY);
    if (tabsDC_ != nullptr) {
        BitBlt(outDC_, leftSize_, 0, AreaWidth(), StripHeight(), tabsDC_, 0, 0, SRCCOPY);
    }
    if (bUpdate) {
        forms::WindowDc own(UserControl::hWnd());
        BitBlt(own.get(), 0, 0, ControlWidth(), StripHeight(), outDC_, 0, 0, SRCCOPY);
    }
}

void uTab::DrawTab(int position, bool selected) {
    const std::shared_ptr<CTabItem> item = items_.Item(position);
    const SkinPieces& pieces = PiecesOf(tabStyle_);
    const bool low = tabStyle_ == 0;
    const bool hovered = hoverIndex_ == position;
    const int left = item->Left();
    const int width = item->Width();

    const int pieceX = selected ? pieces.selected : (hovered ? pieces.hover : pieces.normal);
    if (low) {
        DrawPiece(pieceX, left - 14, width + 14);
    } else {
        DrawPiece(pieceX, left, width);
    }

    const bool closeButton = !item->HideButton();
    const int textHeight = low ? 25 : 26;
    int textX = low ? left : left + 12;
    int textWidth = 0;
    if (low) {
        textWidth = selected ? width - 26 : (closeButton ? width - 38 : width - 14);
    } else {
        textWidth = closeButton ? width - 28 : width - 8;
    }
    DrawTabText(tabsDC_, item->Caption(), textX, 0, textWidth, textHeight);
    if (!closeButton) {
        return;
    }
    int closeX = selected ? pieces.closeOnSelected : pieces.closeNormal;
    if (hovered && closeState_ == 1) {
        closeX = pieces.closeHot;
    } else if (hovered && closeState_ == 2) {
        closeX = pieces.closePressed;
    }
    const auto& style = TabLayout::StyleOf(tabStyle_);
    DrawClosePiece(closeX, left + width - style.closeRight, style.closeTop);
}

// A tab piece stretched to the drawn width, its two 14-pixel ends kept.
void uTab::DrawPiece(int pieceX, int x, int width) {
    const SkinPieces& pieces = PiecesOf(tabStyle_);
    const int height = tabStyle_ == 0 ? 25 : 26;
    if (usePieceCache_) {
        BlitCached(pieceX, width, height, x, 0, true);
        return;
    }
    mdlTabAPI::DrawSkin(tabsDC_, x, 0, width, height, tabStyle_ == 0 ? SkinDC0 : SkinDC1, pieceX, 0,
                        pieces.pieceWidth, pieces.pieceHeight, 14, 0, 14, 0, mdlTabAPI::kKeyColour);
}

void uTab::DrawClosePiece(int closeX, int x, int y) {
    if (usePieceCache_) {
        BlitCached(closeX, 12, 12, x, y, false);
        return;
    }
    mdlTabAPI::TransBlt(tabsDC_, x, y, 12, 12, tabStyle_ == 0 ? SkinDC0 : SkinDC1, closeX, 0,
                        mdlTabAPI::kKeyColour);
}

void uTab::BlitCached(int pieceX, int width, int height, int x, int y, bool tabPiece) {
    if (width <= 0) {
        return;
    }
    HDC skin = tabStyle_ == 0 ? SkinDC0 : SkinDC1;
    CachedPiece& piece = pieces_[{pieceX, width}];
    if (piece.image == nullptr) {
        piece.image = mdlTabAPI::CreateMemDC(width, height);
        if (tabPiece) {
            const SkinPieces& pieces = PiecesOf(tabStyle_);
            mdlTabAPI::DrawSkin(piece.image, 0, 0, width, height, skin, pieceX, 0,
                                pieces.pieceWidth, pieces.pieceHeight, 14, 0, 14, 0);
        } else {
            BitBlt(piece.image, 0, 0, width, height, skin, pieceX, 0, SRCCOPY);
        }
        piece.mask = CreateCompatibleDC(piece.image);
        SelectObject(piece.mask, CreateBitmap(width, height, 1, 1, nullptr));
        SetBkColor(piece.image, mdlTabAPI::kKeyColour);
        BitBlt(piece.mask, 0, 0, width, height, piece.image, 0, 0, SRCCOPY);
        // Black where the key was, so that OR-ing it in leaves those pixels.
        // A monochrome source reads as the text colour for 0, back colour for 1.
        SetTextColor(piece.image, RGB(0, 0, 0));
        SetBkColor(piece.image, RGB(255, 255, 255));
        BitBlt(piece.image, 0, 0, width, height, piece.mask, 0, 0, 0x00220326); // DSna
    }
    const COLORREF text = SetTextColor(tabsDC_, RGB(0, 0, 0));
    const COLORREF back = SetBkColor(tabsDC_, RGB(255, 255, 255));
    BitBlt(tabsDC_, x, y, width, height, piece.mask, 0, 0, SRCAND);
    BitBlt(tabsDC_, x, y, width, height, piece.image, 0, 0, SRCPAINT);
    SetTextColor(tabsDC_, text);
    SetBkColor(tabsDC_, back);
}

void uTab::ForgetPieces() {
    for (auto& entry : pieces_) {
        mdlTabAPI::DeleteMemDC(entry.second.image);
        mdlTabAPI::DeleteMemDC(entry.second.mask);
    }
    pieces_.clear();
}

void uTab::UsePieceCache(bool use) {
    usePieceCache_ = use;
    ForgetPieces();
}

void uTab::DrawTabText(HDC hDC, const std::wstring& text, int x, int y, int width, int height) {
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
