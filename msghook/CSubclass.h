#pragma once

#include "forms/core/Event.h"
#include "msghook/SubclassHook.h"

#include <windows.h>

#include <initializer_list>
#include <map>
#include <optional>
#include <string>

// Hands chosen messages of windows of this process to its owner, before the
// window's own procedure, after it, or both. One instance may hook several
// windows; misuse is written to the error log and answered with a failure
// value.
class CSubclass final : private SubclassHook::Owner {
public:
    static constexpr long ALL_MESSAGES = -1;
    static constexpr std::size_t MSG_ENTRIES = 32;
    static constexpr long WHEN_BEFORE = 1;
    static constexpr long WHEN_AFTER = 2;

    CSubclass();
    ~CSubclass();
    CSubclass(const CSubclass&) = delete;
    CSubclass& operator=(const CSubclass&) = delete;

    // Asks for one WM_MOUSELEAVE when the pointer leaves the window.
    void TrackMouseTracking(HWND hWnd);
    // nOrdinal 1 is the only callback there is. bUnicode: passed true, it
    // becomes whether the window is a Unicode window. bIdeSafety and
    // bIsAPIwindow change nothing: the hook never outlives its owner.
    bool ssc_Subclass(HWND lng_hWnd, LONG_PTR lParamUser = 0, long nOrdinal = 1,
                      bool bIdeSafety = true, bool* bUnicode = nullptr, bool bIsAPIwindow = false);
    void ssc_Terminate();
    void ssc_UnSubclass(HWND lng_hWnd);
    LRESULT ssc_CallOrigWndProc(HWND lng_hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    void ssc_AddMsg(HWND lng_hWnd, long uMsg, long When = WHEN_AFTER);
    void ssc_DelMsg(HWND lng_hWnd, long When, std::initializer_list<long> Messages);
    void zSet_lParamUser(HWND hWnd_Hook_ID, LONG_PTR NewValue);
    LONG_PTR zGet_lParamUser(HWND hWnd_Hook_ID);

    // bBefore, bHandled, lReturn, lng_hWnd, uMsg, wParam, lParam, lParamUser
    forms::Event<bool, bool&, LRESULT&, HWND, UINT, WPARAM, LPARAM, LONG_PTR&> WindowProc;

private:
    void HookMessage(SubclassHook& hook, bool before, bool& handled, LRESULT& result, HWND& hWnd,
                     UINT& message, WPARAM& wParam, LPARAM& lParam) override;
    void HookGone(SubclassHook& hook) override;

    static std::wstring Key(HWND hWnd);
    // The window's hook; reports a missing one unless told to stay quiet.
    SubclassHook* FindHook(HWND hWnd, bool quiet = false);
    // Reports a full table.
    bool AddToTable(MessageTable& table, long message);

    bool hasTrackMouseEvent_ = false;
    // Keyed "h" and the handle in decimal; a destroyed window keeps its
    // key, with no hook, until the end.
    std::optional<std::map<std::wstring, SubclassHook*>> registry_;
};
