#pragma once

#include "tabs/core/ITabForm.h"

#include <any>
#include <memory>
#include <string>

class IuTab;

// One tab: its caption, its page form and the flags and place the strip
// uses. An item still holding its page form when it ends unloads it. A page
// the item lets go of is told so, so that it keeps no reference to the item.
class CTabItem {
public:
    CTabItem() = default;
    ~CTabItem();
    CTabItem(const CTabItem&) = delete;
    CTabItem& operator=(const CTabItem&) = delete;

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    ITabForm* Form() const { return form_.get(); }
    const std::shared_ptr<ITabForm>& FormRef() const { return form_; }
    void SetForm(std::shared_ptr<ITabForm> form);
    long SavedStyle() const { return savedStyle_; }
    bool HideButton() const { return hideButton_; }
    void SetHideButton(bool hide);
    bool LockSize() const { return lockSize_; }
    void SetLockSize(bool lock);
    int Left() const { return left_; }
    int Width() const { return width_; }
    void SetLeft(int left) { left_ = left; }
    void SetWidth(int width) { width_ = width; }
    const std::any& ItemData() const { return itemData_; }
    void SetItemData(std::any data) { itemData_ = std::move(data); }

private:
    friend class CTabItems;
    void AttachTab(IuTab* strip) { strip_ = strip; }
    void SetSavedStyle(long style) { savedStyle_ = style; }
    // Lets go of the page form without unloading it.
    std::shared_ptr<ITabForm> DetachForm();
    void RedrawStrip();

    std::wstring caption_;
    std::shared_ptr<ITabForm> form_;
    long savedStyle_ = 0;
    bool hideButton_ = false;
    int left_ = 0;
    int width_ = 0;
    bool lockSize_ = false;
    std::any itemData_;
    IuTab* strip_ = nullptr;
};
