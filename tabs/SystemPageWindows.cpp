#include "tabs/SystemPageWindows.h"

#include "forms/core/Units.h"

#include <windows.h>

namespace {

HWND Window(WindowHandle handle) {
    return reinterpret_cast<HWND>(handle);
}

} // namespace

long SystemPageWindows::Style(WindowHandle window) {
    return static_cast<long>(GetWindowLongPtrW(Window(window), GWL_STYLE));
}

void SystemPageWindows::Activate(WindowHandle window) {
    SetActiveWindow(Window(window));
}

void SystemPageWindows::Float(WindowHandle page, long savedStyle) {
    HWND window = Window(page);
    SetParent(window, nullptr);
    RECT r{};
    GetWindowRect(window, &r);
    SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(savedStyle));
    const auto x = forms::RoundHalfEven((GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2.0);
    const auto y = forms::RoundHalfEven((GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2.0);
    SetWindowPos(window, nullptr, static_cast<int>(x), static_cast<int>(y), 0, 0,
                 SWP_NOSIZE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
}

void SystemPageWindows::Invalidate(WindowHandle window) {
    RedrawWindow(Window(window), nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT);
}
