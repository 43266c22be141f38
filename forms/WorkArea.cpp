#include "forms/WorkArea.h"

#include "forms/Host.h"

#include <shellapi.h>

namespace forms {

namespace {

// ABM_GETAUTOHIDEBAREX (Windows 8 and later; earlier systems answer 0).
constexpr DWORD kGetAutoHideBarEx = 0x0000000B;

forms::Rect ToRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

MONITORINFO InfoOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info) == FALSE) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
        info.rcMonitor = info.rcWork;
    }
    return info;
}

class SystemWorkAreas final : public WorkAreaSource {
public:
    forms::Rect OfWindow(HWND window) const override {
        return ToRect(InfoOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)).rcWork);
    }
    forms::Rect AtPoint(POINT point) const override {
        return ToRect(InfoOf(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST)).rcWork);
    }
    WorkAreaRules::Monitor MonitorOfWindow(HWND window) const override {
        const MONITORINFO info = InfoOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
        WorkAreaRules::Monitor monitor{ToRect(info.rcMonitor), ToRect(info.rcWork)};
        // ABE_LEFT, ABE_TOP, ABE_RIGHT, ABE_BOTTOM are 0 to 3, as the Edge bits.
        for (UINT edge = ABE_LEFT; edge <= ABE_BOTTOM; ++edge) {
            APPBARDATA bar{};
            bar.cbSize = sizeof bar;
            bar.uEdge = edge;
            bar.rc = info.rcMonitor;
            if (SHAppBarMessage(kGetAutoHideBarEx, &bar) != 0) {
                monitor.autoHideEdges |= 1u << edge;
            }
        }
        return monitor;
    }
};

// At namespace scope: no thread-safe static guard in the executables.
const SystemWorkAreas systemWorkAreas;

const WorkAreaSource& Source() {
    const WorkAreaSource* installed = forms::Host::Current().workAreas;
    return installed != nullptr ? *installed : systemWorkAreas;
}

} // namespace

forms::Rect WorkAreaOfWindow(HWND window) {
    return Source().OfWindow(window);
}

WorkAreaRules::Monitor MonitorOfWindow(HWND window) {
    return Source().MonitorOfWindow(window);
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
