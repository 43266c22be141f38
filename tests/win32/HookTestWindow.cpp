#include "tests/win32/HookTestWindow.h"

#include <algorithm>

namespace testing_support {

namespace {

constexpr wchar_t kClass[] = L"TavrinHookTestWindow";

} // namespace

HookTestWindow::HookTestWindow() {
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &HookTestWindow::Procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClass;
        return RegisterClassW(&wc);
    }();
    (void)atom;
    window_ = CreateWindowExW(0, kClass, L"hooked", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
}

HookTestWindow::~HookTestWindow() {
    if (IsWindow(window_)) {
        DestroyWindow(window_);
    }
}

WNDPROC HookTestWindow::OwnProcedure() const {
    return &HookTestWindow::Procedure;
}

int HookTestWindow::Received(UINT message) const {
    return static_cast<int>(std::count(received_.begin(), received_.end(), message));
}

LRESULT CALLBACK HookTestWindow::Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(
            hWnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<HookTestWindow*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (self != nullptr) {
        self->received_.push_back(message);
        self->lastWParam_ = wParam;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
    }
    if (message >= WM_APP && message < 0xC000) {
        return Answer(message, wParam);
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

} // namespace testing_support
