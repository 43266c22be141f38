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
    static constexpr forms::Rect kLeftBounds{-1240, 0, 0, 1024};

    explicit FakeDesktop(forms::Rect primaryWork) : primary(primaryWork) {
        host_->workAreas = this;
    }
    FakeDesktop(const FakeDesktop&) = delete;
    FakeDesktop& operator=(const FakeDesktop&) = delete;

    forms::Rect OfWindow(HWND window) const override { return MonitorOfWindow(window).work; }
    forms::Rect AtPoint(POINT point) const override { return MonitorAt(point).work; }
    WorkAreaRules::Monitor MonitorOfWindow(HWND window) const override {
        RECT r{};
        GetWindowRect(window, &r);
        return MonitorAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }

    forms::Rect primary;
    // The primary monitor as a whole, and its edges with an auto-hide taskbar.
    forms::Rect primaryBounds{0, 0, 1280, 1024};
    unsigned primaryAutoHide = 0;
    // A virtual display keeps the real pointer on its own screen: this puts
    // it on the left monitor.
    bool pointerOnLeft = false;

private:
    WorkAreaRules::Monitor MonitorAt(POINT point) const {
        if (point.x < 0 || pointerOnLeft) {
            return {kLeftBounds, kLeftWork, 0};
        }
        return {primaryBounds, primary, primaryAutoHide};
    }

    forms::HostSwap host_;
};
