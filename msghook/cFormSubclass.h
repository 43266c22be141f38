#pragma once

#include "forms/core/Event.h"
#include "msghook/SubclassHook.h"

#include <windows.h>

#include <vector>

// Hands every message of a form to its owner before the form's own
// procedure. No checks and no reports; ending the instance unhooks every
// window it hooked, the last hooked first.
class cFormSubclass final : private SubclassHook::Owner {
public:
    cFormSubclass() = default;
    ~cFormSubclass();
    cFormSubclass(const cFormSubclass&) = delete;
    cFormSubclass& operator=(const cFormSubclass&) = delete;

    // The entry every hook calls: raises MsgCome with the same arguments.
    void zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd, UINT& uMsg,
                        WPARAM& wParam, LPARAM& lParam);
    // Hooks the window with every message in its before-table; always true.
    // Hooking a window twice puts a second hook in front of the first.
    bool AddWindowMsgs(HWND hWnd);
    // Does nothing: only ending the instance unhooks.
    bool DeleteWindowMsg(HWND hWnd);

    // bBefore, bHandled, lReturn, lng_hWnd, uMsg, wParam, lParam
    forms::Event<bool, bool&, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&> MsgCome;

private:
    void HookMessage(SubclassHook& hook, bool before, bool& handled, LRESULT& result, HWND& hWnd,
                     UINT& message, WPARAM& wParam, LPARAM& lParam) override;
    void HookGone(SubclassHook& hook) override;

    // Null entries are free and reused.
    std::vector<SubclassHook*> records_;
};
