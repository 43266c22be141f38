#include "mainwindow/ModMsg.h"

#include "forms/CallbackBoundary.h"
#include "mainwindow/CLumNotifyIcon.h"

namespace ModMsg {

namespace {

struct Slot {
    HWND window = nullptr;
    WNDPROC previousProcedure = nullptr;
    bool active = false;
    TrayActions actions;
};
Slot slot;

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void Run(const std::function<void()>& action) {
    if (action) {
        action();
    }
}

void Handle(HWND hWnd, UINT uMsg, WPARAM, LPARAM lParam) {
    if (!slot.active) {
        return;
    }
    if (uMsg == TaskbarCreatedMessage()) {
        Run(slot.actions.taskbarCreated);
    } else if (uMsg == WM_HOTKEY && HIWORD(lParam) == VK_F10) {
        ToggleWindow(hWnd);
    } else if (uMsg == CLumNotifyIcon::WM_NOTIFYICON) {
        if (lParam == WM_LBUTTONUP) {
            ToggleWindow(hWnd);
        } else if (lParam == WM_RBUTTONUP) {
            Run(slot.actions.popupMenu);
        }
    }
}

} // namespace

bool HookMainWindow(HWND hWnd, TrayActions actions) {
    const bool hotKey = RegisterHotKey(hWnd, kHotKeyId, MOD_NOREPEAT, VK_F10) != FALSE;
    // Elevated, the shell's broadcast is filtered out: the icon would stay
    // lost after Explorer restarts.
    ChangeWindowMessageFilterEx(hWnd, TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
    slot.window = hWnd;
    slot.actions = std::move(actions);
    slot.active = true;
    slot.previousProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWndProc)));
    return hotKey;
}

void UnhookMainWindow(HWND hWnd) {
    UnregisterHotKey(hWnd, kHotKeyId);
    if (hWnd != slot.window || !slot.active) {
        return;
    }
    slot.active = false;
    slot.actions = TrayActions{};
    if (GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&MainWndProc)) {
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(slot.previousProcedure));
        slot = Slot{};
    }
}

LRESULT CALLBACK MainWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const WNDPROC previous = slot.previousProcedure;
    if (uMsg == WM_NCDESTROY && hWnd == slot.window) {
        slot = Slot{};
    }
    if (previous == nullptr) {
        return DefWindowProcW(hWnd, uMsg, wParam, lParam);
    }
    forms::Guarded(
        L"MainWndProc", [&] { Handle(hWnd, uMsg, wParam, lParam); }, [] {});
    return CallWindowProcW(previous, hWnd, uMsg, wParam, lParam);
}

void ToggleWindow(HWND hWnd) {
    ShowWindow(hWnd, IsWindowVisible(hWnd) ? SW_HIDE : SW_SHOW);
}

} // namespace ModMsg
