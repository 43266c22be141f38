#include "login/GluedWindow.h"

#include "forms/CallbackBoundary.h"

namespace login {

namespace {

WNDPROC OldWndProc = nullptr;
HWND GluedWindow = nullptr;

LRESULT CALLBACK LoginBgWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

} // namespace

void HookWindow(HWND hWnd, HWND follower) {
    GluedWindow = follower;
    OldWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LoginBgWndProc)));
}

void UnhookWindow(HWND hWnd) {
    SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldWndProc));
    GluedWindow = nullptr;
}

namespace {

LRESULT CALLBACK LoginBgWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const WNDPROC previous = OldWndProc;
    return forms::Guarded(
        L"LoginBgWndProc",
        [&] {
            if (uMsg == WM_MOVE && GluedWindow != nullptr) {
                RECT r{};
                GetWindowRect(hWnd, &r);
                SetWindowPos(GluedWindow, nullptr, r.left, r.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            return CallWindowProcW(previous, hWnd, uMsg, wParam, lParam);
        },
        [&] { return CallWindowProcW(previous, hWnd, uMsg, wParam, lParam); });
}

} // namespace

} // namespace login
