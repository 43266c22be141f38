// Apart from WorkArea.cpp: the updater, which only centres its window, does
// not carry the shell's taskbar query.
#include "forms/Host.h"
#include "forms/WorkArea.h"

#include <shellapi.h>

namespace forms {

namespace {

// ABM_GETAUTOHIDEBAREX (Windows 8 and later; earlier systems answer 0).
constexpr DWORD kGetAutoHideBarEx = 0x0000000B;

forms::Rect ToRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace

WorkAreaRules::Monitor MonitorOfWindow(HWND window) {
    if (const WorkAreaSource* installed = forms::Host::Current().workAreas) {
        return installed->MonitorOfWindow(window);
    }
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info) == FALSE) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
        info.rcMonitor = info.rcWork;
    }
    WorkAreaRules::Monitor monitor{ToRect(info.rcMonitor), ToRect(info.rcWork)};
    // ABE_LEFT, ABE_TOP, ABE_RIGHT and ABE_BOTTOM are 0 to 3, as the Edge bits.
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

} // namespace forms
