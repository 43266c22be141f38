#include "msghook/SubclassHook.h"

#include "forms/CallbackBoundary.h"
#include "forms/core/ScopeExit.h"

#include <unordered_map>
#include <utility>

namespace {

// A window's hooks. When a plain procedure swap went on top of an emptied
// chain and the window is hooked again, ours goes back on top and the swap
// sits between the hooks and the window's own procedure: the hooks call
// the swap (foreign), which calls ours again, which then passes straight
// through to the original.
struct ForeignCall {
    bool active = false;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool Matches(UINT m, WPARAM w, LPARAM l) const {
        return active && m == message && w == wParam && l == lParam;
    }
};

struct Chain {
    WNDPROC original;
    SubclassHook* top;
    WNDPROC foreign = nullptr;
    ForeignCall call; // the message handed to the foreign procedure
};

// Marks the window itself, so that a chain left from a destroyed window
// whose handle names a new one is recognised.
constexpr wchar_t kChainMark[] = L"TavrinHookChain";

// Node-based: a chain stays where it is while other windows come and go.
std::unordered_map<HWND, Chain>& Chains() {
    static std::unordered_map<HWND, Chain> chains;
    return chains;
}

void RestoreForeignCall(HWND hWnd, const ForeignCall& call) {
    const auto found = Chains().find(hWnd);
    if (found != Chains().end()) {
        found->second.call = call;
    }
}

} // namespace

SubclassHook::SubclassHook(HWND hWnd, Owner& owner, std::size_t tableCapacity)
    : window_(hWnd), owner_(&owner), before_(tableCapacity), after_(tableCapacity) {}

SubclassHook* SubclassHook::Install(HWND hWnd, Owner& owner, std::size_t tableCapacity) {
    const auto ours = reinterpret_cast<LONG_PTR>(&SubclassHook::ChainProcedure);
    auto found = Chains().find(hWnd);
    if (found != Chains().end() && found->second.top == nullptr &&
        GetWindowLongPtrW(hWnd, GWLP_WNDPROC) != ours && GetPropW(hWnd, kChainMark) == nullptr) {
        Chains().erase(found); // left from a window whose handle is used again
        found = Chains().end();
    }
    if (found != Chains().end() && found->second.top == nullptr &&
        found->second.foreign == nullptr && GetWindowLongPtrW(hWnd, GWLP_WNDPROC) != ours) {
        // A swap above the emptied chain: put ours back on top of it.
        SetLastError(0);
        const LONG_PTR swap = SetWindowLongPtrW(hWnd, GWLP_WNDPROC, ours);
        if (swap == 0) {
            return nullptr;
        }
        found->second.foreign = reinterpret_cast<WNDPROC>(swap);
    }
    if (found == Chains().end()) {
        SetLastError(0);
        const LONG_PTR previous = SetWindowLongPtrW(hWnd, GWLP_WNDPROC, ours);
        if (previous == 0) {
            return nullptr;
        }
        found = Chains().emplace(hWnd, Chain{reinterpret_cast<WNDPROC>(previous), nullptr}).first;
        SetPropW(hWnd, kChainMark, reinterpret_cast<HANDLE>(1));
    }
    auto* hook = new SubclassHook(hWnd, owner, tableCapacity);
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
    return forms::Guarded(
        L"SubclassHook", [&] { return RunChain(hWnd, message, wParam, lParam); },
        // A failed hook still leaves the message to the window's own procedure.
        [&] { return CallBottom(hWnd, message, wParam, lParam); });
}

LRESULT SubclassHook::RunChain(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto found = Chains().find(hWnd);
    if (found == Chains().end()) {
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
    Chain& chain = found->second;
    if (chain.call.Matches(message, wParam, lParam)) {
        // The swap between our hooks and the window calls down to us.
        const ForeignCall call = std::exchange(chain.call, ForeignCall{});
        const LRESULT result = CallWindowProcW(chain.original, hWnd, message, wParam, lParam);
        RestoreForeignCall(hWnd, call);
        return result;
    }
    SubclassHook* top = chain.top;
    const LRESULT result = top != nullptr ? top->Process(hWnd, message, wParam, lParam)
                                          : CallBottom(hWnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        EraseChain(hWnd); // the handle may soon name another window
    } else {
        ForgetChainIfDone(hWnd);
    }
    return result;
}

LRESULT SubclassHook::CallBottom(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto found = Chains().find(hWnd);
    if (found == Chains().end()) {
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
    if (found->second.foreign == nullptr) {
        return CallWindowProcW(found->second.original, hWnd, message, wParam, lParam);
    }
    const WNDPROC foreign = found->second.foreign;
    const ForeignCall outer =
        std::exchange(found->second.call, ForeignCall{true, message, wParam, lParam});
    const LRESULT result = CallWindowProcW(foreign, hWnd, message, wParam, lParam);
    RestoreForeignCall(hWnd, outer);
    return result;
}

void SubclassHook::EraseChain(HWND hWnd) {
    const auto found = Chains().find(hWnd);
    if (found != Chains().end() && found->second.top == nullptr) {
        RemovePropW(hWnd, kChainMark);
        Chains().erase(found);
    }
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
    if (GetWindowLongPtrW(hWnd, GWLP_WNDPROC) !=
        reinterpret_cast<LONG_PTR>(&SubclassHook::ChainProcedure)) {
        return;
    }
    if (found->second.foreign != nullptr) {
        // The swap goes back on top; it still calls us, so we stay below it.
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->second.foreign));
        found->second.foreign = nullptr;
        return;
    }
    SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->second.original));
    RemovePropW(hWnd, kChainMark);
    Chains().erase(found);
}

LRESULT SubclassHook::Process(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    {
        ++callsRunning_;
        const forms::ScopeExit done([this] { --callsRunning_; });
        result = Deliver(hWnd, message, wParam, lParam);
    }
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
    return CallBottom(hWnd, message, wParam, lParam);
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
