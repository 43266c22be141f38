// The caption bar's stored settings, apart from the bar: a program that
// never stores a design does not link the bag's parsing and printing.
#include "controls/BForm.h"
#include "forms/core/IntegerText.h"

void BForm::ReadProperties(const forms::PropertyBag& bag) {
    SetBackColor(static_cast<COLORREF>(
        bag.Read<std::int32_t>("BackColor", static_cast<std::int32_t>(kDefaultBackColor))));
    caption_ = bag.Read<std::wstring>("Caption", L"NewForm");
    DrawCaptionBar(caption_);
    frmHwnd_ = reinterpret_cast<HWND>(static_cast<LONG_PTR>(bag.Read<std::int32_t>("frmHwnd", 0)));
    hasLogo_ = bag.Read<bool>("HasLogo", hasLogo_);
}

void BForm::WriteProperties(forms::PropertyBag& bag) const {
    bag.Write<std::wstring>("BackColor", BackColorText(), forms::IntegerText(kDefaultBackColor));
    bag.Write<std::wstring>("Caption", caption_, L"NewForm");
    bag.Write<std::int32_t>("frmHwnd",
                            static_cast<std::int32_t>(reinterpret_cast<LONG_PTR>(frmHwnd_)), 0);
    bag.Write<bool>("HasLogo", hasLogo_);
}
