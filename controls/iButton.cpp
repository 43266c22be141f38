#include "controls/iButton.h"

#include "controls/core/ButtonRules.h"
#include "forms/WindowRegion.h"
#include "forms/core/Units.h"

namespace {

constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverInterval = 50;
// Frame pixels of this colour are see-through when the back style is transparent.
constexpr COLORREF kMaskColor = RGB(255, 0, 255);
// Design pixels: the caption's move while pressed, the focus box's inset.
constexpr int kPressedShift = 1;
constexpr int kFocusInset = 3;
// The caption's ink unless set: a system colour would follow a high-contrast
// theme while the button's art stays as drawn.
constexpr COLORREF kCaptionInk = RGB(0, 0, 0);

} // namespace

iButton::iButton() {
    SetForeColor(kCaptionInk);
}

iButton::~iButton() {
    StopHoverPolling();
}

void iButton::cMouseAction(int state, bool repaintSame) {
    if (state != drawnState_ || repaintSame) {
        drawnState_ = state;
        DrawState(state);
    }
}

forms::PicturePtr iButton::Image() const {
    if (hWnd() == nullptr) {
        return nullptr;
    }
    RECT client{};
    GetClientRect(hWnd(), &client);
    return forms::Picture::CopyOf(hDC(), client.right, client.bottom);
}

void iButton::SetBackPicture(forms::PicturePtr picture) {
    backPicture_ = std::move(picture);
    PropertyChanged("BackPicture");
    BuildFrames();
}

void iButton::SetIcon(forms::PicturePtr picture) {
    icon_ = std::move(picture);
    PropertyChanged("Icon");
}

void iButton::SetStyle(long style) {
    style_ = style;
    PropertyChanged("Style");
    BuildFrames();
}

void iButton::SetValue(bool value) {
    if (style_ != 1) {
        value_ = false;
        return;
    }
    value_ = value;
    RedrawCurrentState();
}

void iButton::SetLocked(bool locked) {
    locked_ = locked;
    RedrawCurrentState();
}

void iButton::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    PropertyChanged("AutoSize");
    if (autoSize) {
        BuildFrames();
    }
}

void iButton::SetEnabled(bool enabled) {
    SetEnabledFlag(enabled);
    PropertyChanged("Enabled");
    RedrawCurrentState();
}

void iButton::SetCaption(const std::wstring& caption) {
    caption_ = caption;
    PropertyChanged("Caption");
    ShowName();
    Repaint();
}

void iButton::SetAccessibleName(const std::wstring& name) {
    name_ = name;
    ShowName();
}

void iButton::ShowName() {
    if (hWnd() != nullptr) {
        SetWindowTextW(hWnd(), (caption_.empty() ? name_ : caption_).c_str());
    }
}

void iButton::SetcBackStyle(int backStyle) {
    backStyle_ = backStyle;
    if (BackColor() == 0 && hWnd() != nullptr) {
        SetWindowRgn(hWnd(), nullptr, TRUE);
    }
    PropertyChanged("cBackStyle");
    Repaint();
}

void iButton::SetcForeColor(COLORREF colour) {
    SetForeColor(colour);
    PropertyChanged("cForeColor");
    Repaint();
}

void iButton::SetcFont(const LOGFONTW& font) {
    SetFont(font);
    PropertyChanged("cFont");
    Repaint();
}

void iButton::SetcDrawMode(int drawMode) {
    drawMode_ = drawMode;
    PropertyChanged("cDrawMode");
    Repaint();
}

void iButton::HandleShow() {
    ShowName();
    if (!framesBuilt_) {
        BuildFrames();
        framesBuilt_ = true;
    }
}

void iButton::HandleResize() {
    if (autoSize_ && backPicture_) {
        const auto size = ButtonRules::FrameSizeOf(backPicture_->HimetricWidth(),
                                                   backPicture_->HimetricHeight(), style_);
        SetSize(forms::PixelsToTwips(size.width), forms::PixelsToTwips(size.height));
    }
    RedrawCurrentState();
}

void iButton::HandleMouseDown(int button, int shift, float x, float y) {
    MouseDown(button, shift, x, y);
    lastButton_ = button;
    if (button == forms::kLeftButton) {
        SetMousePointer(LoadCursorW(nullptr, IDC_ARROW));
        cMouseAction(ButtonRules::Pressed, false);
        pressed_ = true;
    }
}

void iButton::HandleMouseMove(int button, int shift, float x, float y) {
    MouseMove(button, shift, x, y);
    if (!IsMouseOver()) {
        return;
    }
    SetMousePointer(LoadCursorW(nullptr, IDC_HAND));
    if (!hovering_) {
        cMouseAction(ButtonRules::Hover, false);
        hovering_ = true;
        StartHoverPolling();
        MouseOver();
    }
}

void iButton::HandleMouseUp(int button, int shift, float x, float y) {
    MouseUp(button, shift, x, y);
    if (button != forms::kLeftButton) {
        return;
    }
    if (IsMouseOver()) {
        Toggle();
        cMouseAction(ButtonRules::Hover, true);
    } else {
        cMouseAction(ButtonRules::Normal, true);
    }
    pressed_ = false;
}

void iButton::HandleClick() {
    if (lastButton_ == forms::kLeftButton) {
        RedrawCurrentState();
        Click();
    }
}

void iButton::HandleDblClick() {
    if (lastButton_ == forms::kLeftButton) {
        cMouseAction(ButtonRules::Pressed, false);
    }
    DBClick();
}

void iButton::HandleKeyDown(int keyCode, int shift) {
    KeyDown(keyCode, shift);
    if (keyCode == VK_RETURN) {
        ClickByKey();
    } else if (keyCode == VK_SPACE) {
        cMouseAction(ButtonRules::Pressed, true);
    }
}

void iButton::ClickByKey() {
    Toggle();
    RedrawCurrentState();
    Click();
}

void iButton::HandleKeyUp(int keyCode, int shift) {
    KeyUP(keyCode, shift);
    if (keyCode == VK_SPACE) {
        ClickByKey();
    }
}

void iButton::HandleKeyPress(int keyAscii) {
    KeyPress(keyAscii);
}

void iButton::HandleGotFocus() {
    focused_ = true;
    RedrawCurrentState();
}

void iButton::HandleLostFocus() {
    focused_ = false;
    RedrawCurrentState();
}

// A push button to the dialog keys (Enter and Esc stay with the form) and to
// screen readers; BM_CLICK is their press.
bool iButton::HandleControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_GETDLGCODE:
        result = DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        return true;
    case BM_CLICK:
        if (Enabled()) {
            ClickByKey();
        }
        result = 0;
        return true;
    case WM_GETOBJECT:
        if (screenReader_ == nullptr ||
            static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) {
            return false;
        }
        result = screenReader_(hWnd(), wParam);
        return true;
    default:
        return false;
    }
}

void iButton::HandleTimer(UINT_PTR id) {
    if (id != kHoverTimer) {
        return;
    }
    if (IsMouseOver()) {
        if (pressed_) {
            cMouseAction(ButtonRules::Pressed, false);
        }
        return;
    }
    if (!pressed_) {
        StopHoverPolling();
        hovering_ = false;
        MouseOut();
    }
    cMouseAction(ButtonRules::Normal, false);
}

bool iButton::IsMouseOver() const {
    POINT at{};
    GetCursorPos(&at);
    return hWnd() != nullptr && WindowFromPoint(at) == hWnd();
}

int iButton::CurrentState() const {
    return ButtonRules::CurrentState(Enabled(), pressed_, IsMouseOver());
}

void iButton::BuildFrames() {
    frames_.Clear();
    if (backPicture_ && hWnd() != nullptr) {
        const auto size = frames_.Cut(hDC(), *backPicture_, style_);
        if (autoSize_ && size.width > 0 && size.height > 0) {
            SetSize(forms::PixelsToTwips(size.width), forms::PixelsToTwips(size.height));
        }
    }
    RedrawCurrentState();
}

void iButton::DrawState(int state) {
    if (hWnd() == nullptr) {
        return;
    }
    SetROP2(hDC(), drawMode_);
    Cls();
    DrawBackground();
    if (!caption_.empty()) {
        int x = Width() / 2 - TextWidth(caption_) / 2 + (icon_ ? IconWidthTwips() : 0);
        int y = Height() / 2 - TextHeight(caption_) / 2;
        if (state == ButtonRules::Pressed) {
            const int shift =
                static_cast<int>(forms::PixelsToTwips(forms::ScaleDesignPixels(kPressedShift)));
            x += shift;
            y += shift;
        }
        Print(x, y, caption_);
    }
    // The focus cue stays through every look but the pressed one.
    if (focused_ && state != ButtonRules::Pressed) {
        DrawFocus();
    }
}

void iButton::DrawBackground() {
    const forms::Picture* frame =
        frames_.Frame(locked_ ? ButtonRules::Pressed : drawnState_, value_, style_);
    if (frame == nullptr) {
        return;
    }
    PaintPicture(*frame, 0, 0, Width(), Height(), 0, 0, forms::PixelsToTwips(frame->Width()),
                 forms::PixelsToTwips(frame->Height()));
    if (backStyle_ == 0) {
        ApplyMask();
    } else if (icon_) {
        const int x = (Width() / 2 - TextWidth(caption_) / 2) - IconWidthTwips() / 2;
        PaintPicture(*icon_, x, 0, forms::PixelsToTwips(icon_->Width()),
                     forms::PixelsToTwips(icon_->Height()), 0, 0,
                     forms::PixelsToTwips(icon_->Width()), forms::PixelsToTwips(icon_->Height()));
    }
}

// The window keeps only the pixels of the painted frame that are not of the
// mask colour; it owns the region from then on.
void iButton::ApplyMask() {
    RECT client{};
    GetClientRect(hWnd(), &client);
    SetWindowRgn(hWnd(),
                 forms::ShapeWithout(hDC(), client.right, client.bottom, kMaskColor).release(),
                 TRUE);
}

void iButton::DrawFocus() {
    const int inset = forms::ScaleDesignPixels(kFocusInset);
    RECT r{inset, inset, forms::TwipsToPixels(Width()) - inset,
           forms::TwipsToPixels(Height()) - inset};
    DrawFocusRect(hDC(), &r);
    Refresh();
}

void iButton::Toggle() {
    if (style_ == 1) {
        value_ = !value_;
    }
}

void iButton::StartHoverPolling() {
    if (!polling_ && hWnd() != nullptr) {
        SetTimer(hWnd(), kHoverTimer, kHoverInterval, nullptr);
        polling_ = true;
    }
}

void iButton::StopHoverPolling() {
    if (polling_ && hWnd() != nullptr) {
        KillTimer(hWnd(), kHoverTimer);
    }
    polling_ = false;
}

int iButton::IconWidthTwips() const {
    return static_cast<int>(icon_->HimetricWidth()) / 26 * forms::kTwipsPerDesignPixel;
}
