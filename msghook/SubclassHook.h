#pragma once

#include "msghook/core/MessageTable.h"

#include <windows.h>

#include <cstddef>

// One object's hook on one window. Every hooked window gets one procedure
// of ours in front of its own, which runs the window's hooks from the last
// installed down to the window's own procedure; the hooks are found in a
// table of this process, so the common path makes no system call.
//
// A hook counts the calls of the window procedure running through it, so
// that a release asked for inside one of them (or by WM_NCDESTROY) takes
// effect once the outermost call has returned. It owns itself and is
// deleted then. When the last hook goes, the window's own procedure is put
// back, unless a plain procedure swap went on top meanwhile: then ours stays
// and passes every message through until it is on top again or the window
// is destroyed. Hooking such a window again puts ours back above the swap.
class SubclassHook {
public:
    class Owner {
    public:
        // Every message whose phase table matches. The references let the
        // owner stop the message, set its result or change its arguments.
        virtual void HookMessage(SubclassHook& hook, bool before, bool& handled, LRESULT& result,
                                 HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam) = 0;
        // The hook is about to be deleted after its window was destroyed.
        virtual void HookGone(SubclassHook& hook) = 0;

    protected:
        ~Owner() = default;
    };

    // Nullptr when the system refuses (another thread's window, say); the
    // thread's last error tells why.
    static SubclassHook* Install(HWND hWnd, Owner& owner, std::size_t tableCapacity);

    // Detaches the owner: no further events. The hook goes now, or when the
    // outermost call running through it returns.
    void Release();

    MessageTable& Before() { return before_; }
    MessageTable& After() { return after_; }
    LONG_PTR& UserValue() { return userValue_; }
    // What lies behind this hook: older hooks, then the window's own procedure.
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam);

private:
    SubclassHook(HWND hWnd, Owner& owner, std::size_t tableCapacity);
    ~SubclassHook() = default;

    static LRESULT CALLBACK ChainProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT RunChain(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CallBottom(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static void EraseChain(HWND hWnd);
    static void ForgetChainIfDone(HWND hWnd);
    LRESULT Process(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Deliver(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CallBelow(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void FinishIfReleased();
    void Unlink();

    HWND window_;
    Owner* owner_;
    SubclassHook* below_ = nullptr;
    MessageTable before_;
    MessageTable after_;
    LONG_PTR userValue_ = 0;
    int callsRunning_ = 0;
    bool released_ = false;
    bool windowGone_ = false;
};
