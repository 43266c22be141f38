#include "forms/WorkArea.h"

#include "forms/Host.h"
#include "forms/core/WorkAreaRules.h"

namespace forms {

namespace {

forms::Rect WorkOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info) == FALSE) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    }
    const RECT& r = info.rcWork;
    return {r.left, r.top, r.right, r.bottom};
}

class SystemWorkAreas final : public WorkAreaSource {
public:
    forms::Rect OfWindow(HWND window) const override {
        return WorkOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    }
    forms::Rect AtPoint(POINT point) const override {
        return WorkOf(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST));
    }
};

const WorkAreaSource& Source() {
    static const SystemWorkAreas system;
    const WorkAreaSource* installed = forms::Host::Current().workAreas;
    return installed != nullptr ? *installed : system;
}

} // namespace

forms::Rect WorkAreaOfWindow(HWND window) {
    return Source().OfWindow(window);
}

forms::Rect WorkAreaAtCursor() {
    POINT at{};
    GetCursorPos(&at);
    return Source().AtPoint(at);
}

void CentreInWorkArea(HWND window, const forms::Rect& work) {
    RECT r{};
    GetWindowRect(window, &r);
    const forms::Rect place = WorkAreaRules::Centred(work, r.right - r.left, r.bottom - r.top);
    SetWindowPos(window, nullptr, place.left, place.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace forms
