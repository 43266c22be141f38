#pragma once

#include "tabs/core/ITabForm.h"

// The window system as the tab collection uses it.
class PageWindows {
public:
    virtual long Style(WindowHandle window) = 0;
    virtual void Activate(WindowHandle window) = 0;
    // Makes the page a top-level window again with its saved style, centred
    // on the screen and shown.
    virtual void Float(WindowHandle page, long savedStyle) = 0;
    virtual void Invalidate(WindowHandle window) = 0;

protected:
    ~PageWindows() = default;
};
