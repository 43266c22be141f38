#include "msghook/SubclassHook.h"

#include <commctrl.h>

SubclassHook::SubclassHook(HWND hWnd, Owner& owner, std::size_t tableCapacity)
    : window_(hWnd), owner_(&owner),
      previous_(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hWnd, GWLP_WNDPROC))),
      before_(tableCapacity), after_(tableCapacity) {}

SubclassHook* SubclassHook::Install(HWND hWnd, Owner& owner, std::size_t tableCapacity) {
    auto* hook = new SubclassHook(hWnd, owner, tableCapacity);
    // The hook's own address tells several hooks of one window apart.
    if (SetWindowSubclass(hWnd, &SubclassHook::Procedure, reinterpret_cast<UINT_PTR>(hook),
                          reinterpret_cast<DWORD_PTR>(hook)) == FALSE) {
        delete hook;
        return nullptr;
    }
    hook->installed_ = GetWindowLongPtrW(hWnd, GWLP_WNDPROC);
    return hook;
}

void SubclassHook::Release() {
    owner_ = nullptr;
    before_.Clear();
    after_.Clear();
    released_ = true;
    FinishIfReleased();
}

LRESULT SubclassHook::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) {
    if (callsRunning_ > 0) {
        return DefSubclassProc(window_, message, wParam, lParam);
    }
    return CallWindowProcW(previous_, window_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassHook::Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR /*id*/, DWORD_PTR data) {
    auto* hook = reinterpret_cast<SubclassHook*>(data);
    ++hook->callsRunning_;
    const LRESULT result = hook->Deliver(hWnd, message, wParam, lParam);
    --hook->callsRunning_;
    if (message == WM_NCDESTROY) {
        hook->windowGone_ = true;
        hook->released_ = true;
    }
    hook->FinishIfReleased();
    return result;
}

LRESULT SubclassHook::Deliver(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    bool handled = false;
    const auto number = static_cast<std::int32_t>(message);
    if (owner_ != nullptr && before_.Matches(number)) {
        owner_->HookMessage(*this, true, handled, result, hWnd, message, wParam, lParam);
    }
    if (handled) {
        return result;
    }
    result = DefSubclassProc(hWnd, message, wParam, lParam);
    if (owner_ != nullptr && after_.Matches(number)) {
        owner_->HookMessage(*this, false, handled, result, hWnd, message, wParam, lParam);
    }
    return result;
}

void SubclassHook::FinishIfReleased() {
    if (!released_ || callsRunning_ > 0) {
        return;
    }
    if (!windowGone_ && GetWindowLongPtrW(window_, GWLP_WNDPROC) != installed_) {
        return;
    }
    RemoveWindowSubclass(window_, &SubclassHook::Procedure, reinterpret_cast<UINT_PTR>(this));
    if (windowGone_ && owner_ != nullptr) {
        owner_->HookGone(*this);
    }
    delete this;
}
