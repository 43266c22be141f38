#include "controls/iButton.h"

#include "controls/ButtonRules.h"
#include "forms/Units.h"

#include <cwchar>

namespace {

constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverInterval = 50;
// Frame pixels of this colour are see-through when the back style is transparent.
constexpr COLORREF kMaskColor = RGB(255, 0, 255);

std::wstring FontText(const LOGFONTW& font) {
    return std::wstring(font.lfFaceName) + L"|" + std::to_wstring(font.lfHeight) + L"|" +
           std::to_wstring(font.lfWeight) + L"|" + (font.lfItalic ? L"1" : L"0");
}

LOGFONTW FontFromText(const std::wstring& text, const LOGFONTW& fallback) {
    LOGFONTW font = fallback;
    const std::size_t a = text.find(L'|');
    const std::size_t b = a == std::wstring::npos ? a : text.find(L'|', a + 1);
    const std::size_t c = b == std::wstring::npos ? b : text.find(L'|', b + 1);
    if (c == std::wstring::npos || a >= LF_FACESIZE) {
        return fallback;
    }
    wcsncpy(font.lfFaceName, text.substr(0, a).c_str(), LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    font.lfHeight = std::wcstol(text.c_str() + a + 1, nullptr, 10);
    font.lfWeight = std::wcstol(text.c_str() + b + 1, nullptr, 10);
    font.lfItalic = text[c + 1] == L'1';
    return font;
}

forms::PicturePtr PictureFromId(std::int32_t id) {
    return id > 0 && id <= 0xFFFF ? forms::Picture::FromResource(static_cast<WORD>(id)) : nullptr;
}

std::int32_t IdOf(const forms::PicturePtr& picture) {
    return picture ? picture->ResourceId() : 0;
}

// Cuts one frame out of the strip into a bitmap of its own.
forms::PicturePtr CutFrame(HDC strip, int x, int y, int width, int height) {
    forms::WindowDc screen(nullptr);
    forms::MemoryDc target(CreateCompatibleDC(screen.get()));
    HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), width, height);
    {
        forms::SelectedObject selection(target.get(), bitmap);
        BitBlt(target.get(), 0, 0, width, height, strip, x, y, SRCCOPY);
    }
    return forms::Picture::FromBitmap(bitmap);
}

} // namespace

iButton::iButton() = default;

iButton::~iButton() {
    StopHoverPolling();
}

void iButton::cMouseAction(int cAction, bool vComplePaint) {
    if (cAction != drawnState_ || vComplePaint) {
        drawnState_ = cAction;
        DrawState(cAction);
    }
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
    Repaint();
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

void iButton::ReadProperties(const forms::PropertyBag& bag) {
    backPicture_ = PictureFromId(bag.Read<std::int32_t>("BackPicture", 0));
    icon_ = PictureFromId(bag.Read<std::int32_t>("Icon", 0));
    SetEnabledFlag(bag.Read<bool>("Enabled", true));
    backStyle_ = bag.Read<std::int32_t>("cBackStyle", 1);
    caption_ = bag.Read<std::wstring>("Caption", L"");
    style_ = bag.Read<std::int32_t>("Style", 0);
    autoSize_ = bag.Read<bool>("AutoSize", true);
    SetForeColor(static_cast<COLORREF>(
        bag.Read<std::int32_t>("cForeColor", static_cast<std::int32_t>(ForeColor()))));
    SetFont(FontFromText(bag.Read<std::wstring>("cFont", FontText(Font())), Font()));
    drawMode_ = bag.Read<std::int32_t>("cDrawMode", drawMode_);
}

void iButton::WriteProperties(forms::PropertyBag& bag) const {
    bag.Write<std::int32_t>("BackPicture", IdOf(backPicture_), 0);
    bag.Write<std::int32_t>("Icon", IdOf(icon_), 0);
    bag.Write<bool>("Enabled", Enabled(), true);
    bag.Write<std::int32_t>("Style", style_, 0);
    bag.Write<std::int32_t>("cBackStyle", backStyle_, 1);
    bag.Write<std::wstring>("Caption", caption_, L"");
    bag.Write<bool>("AutoSize", autoSize_, true);
    bag.Write<std::wstring>("cFont", FontText(Font()));
    bag.Write<std::int32_t>("cDrawMode", drawMode_);
    bag.Write<std::int32_t>("cForeColor", static_cast<std::int32_t>(ForeColor()));
}

void iButton::HandleShow() {
    if (tag_.empty()) {
        BuildFrames();
        tag_ = L"1";
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
        Toggle();
        RedrawCurrentState();
        if (!hovering_) {
            DrawFocus();
        }
        Click();
    } else if (keyCode == VK_SPACE) {
        cMouseAction(ButtonRules::Pressed, true);
        if (!hovering_) {
            DrawFocus();
        }
    }
}

void iButton::HandleKeyUp(int keyCode, int shift) {
    KeyUP(keyCode, shift);
    if (keyCode == VK_SPACE) {
        Toggle();
        RedrawCurrentState();
        if (!hovering_) {
            DrawFocus();
        }
        Click();
    }
}

void iButton::HandleKeyPress(int keyAscii) {
    KeyPress(keyAscii);
}

void iButton::HandleGotFocus() {
    RedrawCurrentState();
    if (!pressed_) {
        DrawFocus();
    }
}

void iButton::HandleLostFocus() {
    RedrawCurrentState();
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
    frames_.clear();
    hasFrames_ = false;
    if (backPicture_ && hWnd() != nullptr) {
        const auto size = ButtonRules::FrameSizeOf(backPicture_->HimetricWidth(),
                                                   backPicture_->HimetricHeight(), style_);
        forms::MemoryDc strip(CreateCompatibleDC(hDC()));
        forms::SelectedObject selection(strip.get(), backPicture_->Bitmap());
        for (int i = 0; i < ButtonRules::FrameCount(style_); ++i) {
            frames_.push_back(CutFrame(strip.get(), i * size.width, 0, size.width, size.height));
        }
        if (autoSize_ && size.width > 0 && size.height > 0) {
            SetSize(forms::PixelsToTwips(size.width), forms::PixelsToTwips(size.height));
        }
        hasFrames_ = true;
    }
    RedrawCurrentState();
}

const forms::Picture* iButton::FramePicture(int state) const {
    if (!hasFrames_) {
        return nullptr;
    }
    const auto index = static_cast<std::size_t>(ButtonRules::FrameIndex(state, value_, style_));
    return index < frames_.size() ? frames_[index].get() : nullptr;
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
            x += forms::kTwipsPerPixel;
            y += forms::kTwipsPerPixel;
        }
        Print(x, y, caption_);
    }
}

void iButton::DrawBackground() {
    const forms::Picture* frame = FramePicture(locked_ ? ButtonRules::Pressed : drawnState_);
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
// mask colour.
void iButton::ApplyMask() {
    RECT client{};
    GetClientRect(hWnd(), &client);
    forms::GdiRegion shape(CreateRectRgn(0, 0, 0, 0));
    for (int y = 0; y < client.bottom; ++y) {
        int runStart = -1;
        for (int x = 0; x <= client.right; ++x) {
            const bool solid = x < client.right && GetPixel(hDC(), x, y) != kMaskColor;
            if (solid && runStart < 0) {
                runStart = x;
            } else if (!solid && runStart >= 0) {
                forms::GdiRegion run(CreateRectRgn(runStart, y, x, y + 1));
                CombineRgn(shape.get(), shape.get(), run.get(), RGN_OR);
                runStart = -1;
            }
        }
    }
    // The window owns the region from here on.
    SetWindowRgn(hWnd(), shape.release(), TRUE);
}

void iButton::DrawFocus() {
    RECT r{3, 3, forms::TwipsToPixels(Width()) - 3, forms::TwipsToPixels(Height()) - 3};
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
    return static_cast<int>(icon_->HimetricWidth()) / 26 * forms::kTwipsPerPixel;
}
