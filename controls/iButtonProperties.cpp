// The button's stored settings, apart from the button: a program that never
// stores a design does not link the bag's parsing and printing.
#include "controls/iButton.h"
#include "forms/LogFont.h"

namespace {

forms::PicturePtr PictureFromId(std::int32_t id) {
    return id > 0 && id <= 0xFFFF ? forms::Picture::FromResource(static_cast<WORD>(id)) : nullptr;
}

std::int32_t IdOf(const forms::PicturePtr& picture) {
    return picture ? picture->ResourceId() : 0;
}

} // namespace

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
    SetFont(forms::LogFontOf(bag.ReadFont("cFont", forms::StoredFontOf(Font()))));
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
    bag.WriteFont("cFont", forms::StoredFontOf(Font()));
    bag.Write<std::int32_t>("cDrawMode", drawMode_);
    bag.Write<std::int32_t>("cForeColor", static_cast<std::int32_t>(ForeColor()));
}
