#include "forms/WorkArea.h"

#include "forms/Host.h"

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

} // namespace

forms::Rect WorkAreaOfWindow(HWND window) {
    if (const WorkAreaSource* installed = forms::Host::Current().workAreas) {
        return installed->OfWindow(window);
    }
    return WorkOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

forms::Rect WorkAreaAtCursor() {
    POINT at{};
    GetCursorPos(&at);
    if (const WorkAreaSource* installed = forms::Host::Current().workAreas) {
        return installed->AtPoint(at);
    }
    return WorkOf(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST));
}

void CentreInWorkArea(HWND window, const forms::Rect& work) {
    RECT r{};
    GetWindowRect(window, &r);
    const forms::Rect place = WorkAreaRules::Centred(work, r.right - r.left, r.bottom - r.top);
    SetWindowPos(window, nullptr, place.left, place.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace forms
