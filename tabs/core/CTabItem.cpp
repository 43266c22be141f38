#include "tabs/core/CTabItem.h"

#include "tabs/core/IuTab.h"

CTabItem::~CTabItem() {
    if (const std::shared_ptr<ITabForm> form = DetachForm()) {
        form->Unload();
    }
}

void CTabItem::SetCaption(const std::wstring& caption) {
    caption_ = caption;
    RedrawStrip();
}

void CTabItem::SetForm(std::shared_ptr<ITabForm> form) {
    if (form_ != form) {
        DetachForm();
    }
    form_ = std::move(form);
    form_->Initialize(strip_, this);
    if (strip_ != nullptr) {
        strip_->ChangeForm(*this, *form_);
    }
}

std::shared_ptr<ITabForm> CTabItem::DetachForm() {
    std::shared_ptr<ITabForm> form = std::move(form_);
    if (form) {
        form->Initialize(nullptr, nullptr);
    }
    return form;
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
