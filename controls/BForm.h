#pragma once

#include "forms/Picture.h"
#include "forms/UserControl.h"
#include "forms/core/Event.h"

#include <string>

namespace forms {
class Form;
}

// The skinned caption bar of a borderless window: paints the title strip
// from the frame skin, drags the host window, and paints the host's border.
class BForm final : public forms::UserControl {
public:
    // frameSkin: the skinned frame and caption bar it paints; null paints none.
    explicit BForm(forms::PicturePtr frameSkin);

    std::wstring BackColorText() const;
    // A decimal colour number; anything else is refused and changes nothing.
    bool SetBackColorText(const std::wstring& colour);
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    bool HasLogo() const { return hasLogo_; }
    void SetHasLogo(bool hasLogo);
    HWND frmHwnd() const { return frmHwnd_; }
    void SetfrmHwnd(HWND host);

    // Paints the host form's left, right and bottom border on its surface.
    void Printform(forms::Form& frm);
    // Paints plain bar over the minimise area of the right cap.
    void Nomin();

    void ReadProperties(const forms::PropertyBag& bag);
    void WriteProperties(forms::PropertyBag& bag) const;

    forms::Event<> DblClick;
    forms::Event<int&, int&, float&, float&> MouseDown; // Button, Shift, X, Y
    forms::Event<int&, int&, float&, float&> MouseMove;

private:
    static constexpr COLORREF kDefaultBackColor = 14346732; // &H00DAE9EC

    void HandleResize() override;
    void HandleMouseDown(int button, int shift, float x, float y) override;
    void HandleMouseMove(int button, int shift, float x, float y) override;
    void HandleDblClick() override;

    void DrawCaptionBar(const std::wstring& title);

    forms::PicturePtr frameSkin_;
    std::wstring caption_ = L"NewForm";
    bool hasLogo_ = false;
    HWND frmHwnd_ = nullptr;
};
