#pragma once

#include "tabs/core/CTabItem.h"
#include "tabs/core/TabIndex.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class IuTab;
class PageWindows;

// The strip's tabs in order, optionally under keys that ignore letter case.
// Every change is told to the strip; errors are TabError.
class CTabItems {
public:
    // Past this many tabs a new page is refused.
    static constexpr int kMaxTabs = 32;

    explicit CTabItems(PageWindows& windows) : windows_(windows) {}
    CTabItems(const CTabItems&) = delete;
    CTabItems& operator=(const CTabItems&) = delete;

    void AttachTab(IuTab& strip) { strip_ = &strip; }

    // False, with nothing taken in, when the strip is full.
    bool Add(const std::wstring& Caption, std::shared_ptr<ITabForm> Form,
             const std::optional<std::wstring>& Key = std::nullopt,
             const std::optional<TabIndex>& Index = std::nullopt);
    // False when nothing was found or the strip vetoed. Without bUnload the
    // page form stays loaded for whoever holds it.
    bool Remove(const TabIndex& Index, bool bUnload);
    // Unloads every page form in position order and empties the collection,
    // without telling the strip.
    void Clear();
    int FindItem(const TabIndex& Index) const;
    void ReleaseForm(const TabIndex& Index);

    int Count() const { return static_cast<int>(entries_.size()); }
    bool Full() const { return Count() >= kMaxTabs; }
    // Null for a position out of range; an unknown key is an error.
    std::shared_ptr<CTabItem> Item(const TabIndex& Index) const;
    int Selected() const;
    void SetSelected(int value);

private:
    struct Entry {
        std::optional<std::wstring> key;
        std::shared_ptr<CTabItem> item;
    };

    int KeyPosition(const std::wstring& key) const;
    void Insert(Entry entry, const std::optional<TabIndex>& index);

    std::vector<Entry> entries_;
    IuTab* strip_ = nullptr;
    PageWindows& windows_;
};
