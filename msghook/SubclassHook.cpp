#include "msghook/SubclassHook.h"

#include <unordered_map>

namespace {

struct Chain {
    WNDPROC original;
    SubclassHook* top;
};

// Node-based: a chain stays where it is while other windows come and go.
std::unordered_map<HWND, Chain>& Chains() {
    static std::unordered_map<HWND, Chain> chains;
    return chains;
}

} // namespace

SubclassHook::SubclassHook(HWND hWnd, Owner& owner, std::size_t tableCapacity)
    : window_(hWnd), owner_(&owner), before_(tableCapacity), after_(tableCapacity) {}

SubclassHook* SubclassHook::Install(HWND hWnd, Owner& owner, std::size_t tableCapacity) {
    const auto ours = reinterpret_cast<LONG_PTR>(&SubclassHook::ChainProcedure);
    auto found = Chains().find(hWnd);
    if (found != Chains().end() && found->second.top == nullptr &&
        GetWindowLongPtrW(hWnd, GWLP_WNDPROC) != ours) {
        Chains().erase(found); // left from a window whose handle is used again
        found = Chains().end();
    }
    if (found == Chains().end()) {
        SetLastError(0);
        const LONG_PTR previous = SetWindowLongPtrW(hWnd, GWLP_WNDPROC, ours);
        if (previous == 0) {
            return nullptr;
        }
        found = Chains().emplace(hWnd, Chain{reinterpret_cast<WNDPROC>(previous), nullptr}).first;
    }
    auto* hook = new SubclassHook(hWnd, owner, tableCapacity);
    hook->original_ = found->second.original;
    hook->below_ = found->second.top;
    found->second.top = hook;
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
    return CallBelow(window_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassHook::ChainProcedure(HWND hWnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    const auto found = Chains().find(hWnd);
    if (found == Chains().end()) {
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
    SubclassHook* top = found->second.top;
    const LRESULT result =
        top != nullptr ? top->Process(hWnd, message, wParam, lParam)
                       : CallWindowProcW(found->second.original, hWnd, message, wParam, lParam);
    ForgetChainIfDone(hWnd);
    return result;
}

// Puts the window's own procedure back once no hook is left, if ours is
// still the one in place; a destroyed window is simply forgotten.
void SubclassHook::ForgetChainIfDone(HWND hWnd) {
    const auto found = Chains().find(hWnd);
    if (found == Chains().end() || found->second.top != nullptr) {
        return;
    }
    if (IsWindow(hWnd) == FALSE) {
        Chains().erase(found);
        return;
    }
    if (GetWindowLongPtrW(hWnd, GWLP_WNDPROC) ==
        reinterpret_cast<LONG_PTR>(&SubclassHook::ChainProcedure)) {
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->second.original));
        Chains().erase(found);
    }
}

LRESULT SubclassHook::Process(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ++callsRunning_;
    const LRESULT result = Deliver(hWnd, message, wParam, lParam);
    --callsRunning_;
    if (message == WM_NCDESTROY) {
        windowGone_ = true;
        released_ = true;
    }
    FinishIfReleased();
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
    result = CallBelow(hWnd, message, wParam, lParam);
    if (owner_ != nullptr && after_.Matches(number)) {
        owner_->HookMessage(*this, false, handled, result, hWnd, message, wParam, lParam);
    }
    return result;
}

LRESULT SubclassHook::CallBelow(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (below_ != nullptr) {
        return below_->Process(hWnd, message, wParam, lParam);
    }
    return CallWindowProcW(original_, hWnd, message, wParam, lParam);
}

void SubclassHook::FinishIfReleased() {
    if (!released_ || callsRunning_ > 0) {
        return;
    }
    if (windowGone_ && owner_ != nullptr) {
        owner_->HookGone(*this);
    }
    Unlink();
    ForgetChainIfDone(window_);
    delete this;
}

void SubclassHook::Unlink() {
    const auto found = Chains().find(window_);
    if (found == Chains().end()) {
        return;
    }
    SubclassHook** link = &found->second.top;
    while (*link != nullptr && *link != this) {
        link = &(*link)->below_;
    }
    if (*link == this) {
        *link = below_;
    }
}
