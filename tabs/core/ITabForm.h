#pragma once

#include <cstdint>

class CTabItem;
class IuTab;

// A window handle as the tab model passes it on; the strip reads it as HWND.
using WindowHandle = std::uintptr_t;

// What every page form shown in a tab offers.
class ITabForm {
public:
    virtual ~ITabForm() = default;
    virtual WindowHandle hWnd() const = 0;
    // Hands the page its strip (may be null) and its tab. Both null: the tab
    // has let go of the page, which must not use either any more.
    virtual void Initialize(IuTab* Implement, CTabItem* Item) = 0;
    virtual void RefreshPage() = 0;
    // Closes and destroys the page's window; doing it twice does nothing more.
    virtual void Unload() = 0;
};
