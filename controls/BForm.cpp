#include "controls/BForm.h"

#include "controls/core/SkinLayout.h"
#include "forms/DragByCaption.h"
#include "forms/Form.h"
#include "forms/LogFont.h"
#include "forms/core/IntegerText.h"
#include "forms/core/Units.h"

#include <cwchar>
#include <utility>

namespace {

LOGFONTW CaptionFont() {
    forms::StoredFont font;
    font.face = L"宋体";
    font.points = 9;
    font.weight = FW_BOLD;
    font.charset = GB2312_CHARSET;
    return forms::LogFontOf(font);
}

void PaintPieces(HDC target, const forms::Picture& skin,
                 const std::vector<SkinLayout::Piece>& pieces) {
    const forms::MemoryDc source(CreateCompatibleDC(target));
    const forms::SelectedObject selection(source.get(), skin.Bitmap());
    SetStretchBltMode(target, COLORONCOLOR);
    for (const SkinLayout::Piece& piece : pieces) {
        const SkinLayout::PixelPiece p = SkinLayout::ToPixels(piece);
        StretchBlt(target, p.x, p.y, p.width, p.height, source.get(), p.sourceX, p.sourceY,
                   p.sourceWidth, p.sourceHeight, SRCCOPY);
    }
}

} // namespace

BForm::BForm(forms::PicturePtr frameSkin) : frameSkin_(std::move(frameSkin)) {
    SetForeColor(RGB(255, 255, 255));
    SetBackColor(kDefaultBackColor);
    SetFont(CaptionFont());
}

std::wstring BForm::BackColorText() const {
    return forms::IntegerText(BackColor());
}

bool BForm::SetBackColorText(const std::wstring& colour) {
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(colour.c_str(), &end, 10);
    if (colour.empty() || *end != L'\0') {
        return false;
    }
    SetBackColor(static_cast<COLORREF>(value));
    PropertyChanged("BackColor");
    DrawCaptionBar(caption_);
    return true;
}

void BForm::SetCaption(const std::wstring& caption) {
    caption_ = caption;
    PropertyChanged("Caption");
    DrawCaptionBar(caption_);
}

void BForm::SetHasLogo(bool hasLogo) {
    hasLogo_ = hasLogo;
    PropertyChanged("HasLogo");
    DrawCaptionBar(caption_);
}

void BForm::SetfrmHwnd(HWND host) {
    frmHwnd_ = host;
    PropertyChanged("frmHwnd");
}

void BForm::Printform(forms::Form& frm) {
    frm.Cls();
    if (frameSkin_) {
        PaintPieces(frm.Surface(), *frameSkin_,
                    SkinLayout::Border(frm.ScaleWidth(), frm.ScaleHeight()));
    }
    InvalidateRect(frm.hWnd(), nullptr, FALSE);
}

void BForm::Nomin() {
    if (frameSkin_) {
        PaintPieces(hDC(), *frameSkin_, {SkinLayout::MinimiseCover(Width())});
    }
    Print(120, 100, caption_);
}

void BForm::HandleResize() {
    const int barHeight = forms::TwipsToPixels(SkinLayout::kBarHeight);
    RECT client{};
    GetClientRect(hWnd(), &client);
    if (client.bottom != barHeight) {
        SetSize(Width(), SkinLayout::kBarHeight);
        return; // the resize that follows paints
    }
    DrawCaptionBar(caption_);
}

void BForm::HandleMouseDown(int button, int shift, float x, float y) {
    SetMousePointer(LoadCursorW(nullptr, IDC_ARROW));
    if (button == forms::kLeftButton && frmHwnd_ != nullptr) {
        forms::DragByCaption(frmHwnd_);
        SetMousePointer(LoadCursorW(nullptr, IDC_ARROW));
    }
    MouseDown(button, shift, x, y);
}

void BForm::HandleMouseMove(int button, int shift, float x, float y) {
    SetMousePointer(LoadCursorW(nullptr, IDC_ARROW));
    MouseMove(button, shift, x, y);
}

void BForm::HandleDblClick() {
    DblClick();
}

void BForm::DrawCaptionBar(const std::wstring& title) {
    if (hWnd() == nullptr) {
        return;
    }
    Cls();
    if (frameSkin_) {
        PaintPieces(hDC(), *frameSkin_, SkinLayout::CaptionBar(Width()));
    }
    Print(SkinLayout::TitleX(hasLogo_), SkinLayout::kTitleY, title);
}
