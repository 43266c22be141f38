#pragma once

#include "tabs/core/ITabForm.h"
#include "tabs/core/TabIndex.h"

#include <optional>
#include <string>

class CTabItems;
class uTab;

// The tab strip as its collection and items see it.
class IuTab {
public:
    virtual void Add(const std::wstring& Caption, ITabForm& Form,
                     const std::optional<std::wstring>& Key,
                     const std::optional<TabIndex>& Index) = 0;
    virtual bool BeforeRemove(int Index) = 0;
    virtual void Remove(int Index) = 0;
    virtual void Clear() = 0;
    virtual void Redraw(bool bUpdate) = 0;
    virtual void ChangeForm(CTabItem& Item, ITabForm& Form) = 0;
    virtual int Selected() const = 0;
    virtual void SetSelected(int value) = 0;
    virtual CTabItems& TabItems() = 0;
    virtual WindowHandle hWnd() const = 0;
    virtual WindowHandle hParent() const = 0;
    // The strip object itself.
    virtual uTab* Control() = 0;

protected:
    ~IuTab() = default;
};
