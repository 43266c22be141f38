#pragma once

#include "forms/Host.h"
#include "forms/WorkArea.h"

// Two monitors in place of the display's one: the primary one at 0, 0 with
// a work area the test chooses, and a second one to its left, at negative
// coordinates, with a 40-pixel taskbar at the bottom. A window belongs to the
// monitor that holds its centre.
class FakeDesktop final : public forms::WorkAreaSource {
public:
    // No larger than the virtual display: Wine keeps windows within it.
    static constexpr forms::Rect kLeftWork{-1240, 0, 0, 984};

    explicit FakeDesktop(forms::Rect primaryWork) : primary(primaryWork) {
        host_->workAreas = this;
    }
    FakeDesktop(const FakeDesktop&) = delete;
    FakeDesktop& operator=(const FakeDesktop&) = delete;

    forms::Rect OfWindow(HWND window) const override {
        RECT r{};
        GetWindowRect(window, &r);
        return AtPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    forms::Rect AtPoint(POINT point) const override {
        return point.x < 0 || pointerOnLeft ? kLeftWork : primary;
    }

    forms::Rect primary;
    // A virtual display keeps the real pointer on its own screen: this puts
    // it on the left monitor.
    bool pointerOnLeft = false;

private:
    forms::HostSwap host_;
};
