#include "tabs/core/CTabItems.h"

#include "forms/core/Text.h"
#include "forms/core/Units.h"
#include "tabs/core/IuTab.h"
#include "tabs/core/PageWindows.h"
#include "tabs/core/TabError.h"

namespace {

int WholeNumber(double value) {
    return static_cast<int>(forms::RoundHalfEven(value));
}

} // namespace

bool CTabItems::Add(const std::wstring& Caption, std::shared_ptr<ITabForm> Form,
                    const std::optional<std::wstring>& Key, const std::optional<TabIndex>& Index) {
    if (Full()) {
        return false;
    }
    auto item = std::make_shared<CTabItem>();
    item->SetSavedStyle(windows_.Style(Form->hWnd()));
    item->AttachTab(strip_);
    Form->Initialize(strip_, item.get());
    item->SetCaption(Caption);
    item->SetForm(Form);
    if (Key && KeyPosition(*Key) >= 0) {
        throw TabError(TabError::kDuplicateKey,
                       "This key is already associated with an element of this collection");
    }
    Insert({Key, item}, Index);
    if (strip_ != nullptr) {
        strip_->Add(Caption, *Form, Key, Index);
        windows_.Activate(strip_->hWnd());
    }
    return true;
}

void CTabItems::Insert(Entry entry, const std::optional<TabIndex>& index) {
    if (!index) {
        entries_.push_back(std::move(entry));
        return;
    }
    const std::optional<double> number = index->AsNumber();
    if (!number) {
        throw TabError(TabError::kInvalidArgument, "Invalid procedure call or argument");
    }
    const int n = WholeNumber(*number);
    if (n < 0 || n > Count()) {
        throw TabError(TabError::kOutOfRange, "Subscript out of range");
    }
    entries_.insert(entries_.begin() + n, std::move(entry));
}

bool CTabItems::Remove(const TabIndex& Index, bool bUnload) {
    const int p = FindItem(Index);
    if (p < 0) {
        return false;
    }
    if (strip_ != nullptr && !strip_->BeforeRemove(p)) {
        return false;
    }
    const std::shared_ptr<CTabItem> item = entries_[static_cast<std::size_t>(p)].item;
    entries_.erase(entries_.begin() + p);
    if (strip_ != nullptr) {
        strip_->Remove(p);
    }
    // Whoever keeps the form keeps it loaded; with bUnload it goes now.
    const std::shared_ptr<ITabForm> form = item->DetachForm();
    if (form && bUnload) {
        form->Unload();
    }
    return true;
}

void CTabItems::Clear() {
    for (const Entry& entry : entries_) {
        if (ITabForm* form = entry.item->Form()) {
            form->Unload();
        }
    }
    entries_.clear();
}

int CTabItems::FindItem(const TabIndex& Index) const {
    if (entries_.empty()) {
        return -1;
    }
    if (const std::wstring* key = Index.Key()) {
        return KeyPosition(*key);
    }
    if (const double* position = Index.Position()) {
        const int n = WholeNumber(*position);
        return n >= 0 && n < Count() ? n : -1;
    }
    for (int p = 0; p < Count(); ++p) {
        const CTabItem* item = entries_[static_cast<std::size_t>(p)].item.get();
        if ((Index.Form() != nullptr && item->Form() == Index.Form()) || item == Index.Item()) {
            return p;
        }
    }
    return -1;
}

void CTabItems::ReleaseForm(const TabIndex& Index) {
    const int p = FindItem(Index);
    if (p < 0) {
        return;
    }
    const std::shared_ptr<CTabItem> item = entries_[static_cast<std::size_t>(p)].item;
    const std::shared_ptr<ITabForm> form = item->FormRef();
    const long savedStyle = item->SavedStyle();
    Remove(p, false);
    if (form) {
        windows_.Float(form->hWnd(), savedStyle);
    }
    if (strip_ != nullptr) {
        windows_.Invalidate(strip_->hParent());
    }
}

std::shared_ptr<CTabItem> CTabItems::Item(const TabIndex& Index) const {
    if (const std::wstring* key = Index.Key()) {
        const int p = KeyPosition(*key);
        if (p < 0) {
            throw TabError(TabError::kInvalidArgument, "Invalid procedure call or argument");
        }
        return entries_[static_cast<std::size_t>(p)].item;
    }
    const std::optional<double> number = Index.AsNumber();
    if (!number) {
        return nullptr;
    }
    const int n = WholeNumber(*number);
    return n >= 0 && n < Count() ? entries_[static_cast<std::size_t>(n)].item : nullptr;
}

int CTabItems::Selected() const {
    return strip_ != nullptr ? strip_->Selected() : -1;
}

void CTabItems::SetSelected(int value) {
    if (strip_ != nullptr) {
        strip_->SetSelected(value);
    }
}

int CTabItems::KeyPosition(const std::wstring& key) const {
    for (int p = 0; p < Count(); ++p) {
        const Entry& entry = entries_[static_cast<std::size_t>(p)];
        if (entry.key && forms::EqualsNoCase(*entry.key, key)) {
            return p;
        }
    }
    return -1;
}
