#include "tabs/CTabItem.h"

#include "tabs/IuTab.h"

CTabItem::~CTabItem() {
    if (form_) {
        form_->Unload();
    }
}

void CTabItem::SetCaption(const std::wstring& caption) {
    caption_ = caption;
    RedrawStrip();
}

void CTabItem::SetForm(std::shared_ptr<ITabForm> form) {
    form_ = std::move(form);
    form_->Initialize(strip_, *this);
    if (strip_ != nullptr) {
        strip_->ChangeForm(*this, *form_);
    }
}

void CTabItem::SetHideButton(bool hide) {
    hideButton_ = hide;
    RedrawStrip();
}

void CTabItem::SetLockSize(bool lock) {
    lockSize_ = lock;
    RedrawStrip();
}

void CTabItem::RedrawStrip() {
    if (strip_ != nullptr) {
        strip_->Redraw(true);
    }
}
