#pragma once

#include "tabs/core/PageWindows.h"

// The tab collection's window operations on the real window system.
class SystemPageWindows final : public PageWindows {
public:
    long Style(WindowHandle window) override;
    void Activate(WindowHandle window) override;
    void Float(WindowHandle page, long savedStyle) override;
    void Invalidate(WindowHandle window) override;
};
