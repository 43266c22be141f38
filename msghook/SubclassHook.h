#pragma once

#include "msghook/MessageTable.h"

#include <windows.h>

#include <cstddef>

// One object's hook on one window, put in front of the window's procedure
// with the system's subclassing. It counts the calls of the window procedure
// that are running, so that a release asked for inside one of them (or by
// WM_NCDESTROY) takes effect once the outermost call has returned. It owns
// itself: it is deleted when released and no call is running. A released
// hook under a plain procedure swap passes messages through until it is on
// top again or the window goes.
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

    // Nullptr when the system refuses (another thread's window, say).
    static SubclassHook* Install(HWND hWnd, Owner& owner, std::size_t tableCapacity);

    // Detaches the owner: no further events. The window's procedure is put
    // back now, or when the outermost running call returns.
    void Release();

    HWND Window() const { return window_; }
    MessageTable& Before() { return before_; }
    MessageTable& After() { return after_; }
    LONG_PTR& UserValue() { return userValue_; }
    // The procedure behind this hook, inside a call or out of one.
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam);

private:
    SubclassHook(HWND hWnd, Owner& owner, std::size_t tableCapacity);
    ~SubclassHook() = default;

    static LRESULT CALLBACK Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR data);
    LRESULT Deliver(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void FinishIfReleased();

    HWND window_;
    Owner* owner_;
    WNDPROC previous_;
    // The window's procedure once the hook was in: anything else means that
    // a plain swap went on top, which removing the hook would undo.
    LONG_PTR installed_ = 0;
    MessageTable before_;
    MessageTable after_;
    LONG_PTR userValue_ = 0;
    int callsRunning_ = 0;
    bool released_ = false;
    bool windowGone_ = false;
};
