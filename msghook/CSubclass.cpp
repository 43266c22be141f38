#include "msghook/CSubclass.h"

#include "forms/ErrorLog.h"

#include <commctrl.h>

namespace {

// The routine names in the log are the ones its readers know.
void Report(const wchar_t* routine, const std::wstring& message) {
    forms::ErrorLog::Report(L"CSubclass", routine, message);
}

} // namespace

CSubclass::CSubclass() {
    HMODULE user32 = LoadLibraryW(L"User32");
    hasTrackMouseEvent_ = GetProcAddress(user32, "TrackMouseEvent") != nullptr;
    FreeLibrary(user32);
}

CSubclass::~CSubclass() {
    ssc_Terminate();
}

void CSubclass::TrackMouseTracking(HWND hWnd) {
    TRACKMOUSEEVENT request{sizeof request, TME_LEAVE, hWnd, 0};
    if (hasTrackMouseEvent_) {
        TrackMouseEvent(&request);
    } else {
        _TrackMouseEvent(&request);
    }
}

bool CSubclass::ssc_Subclass(HWND lng_hWnd, LONG_PTR lParamUser, long nOrdinal, bool /*bIdeSafety*/,
                             bool* bUnicode, bool /*bIsAPIwindow*/) {
    if (IsWindow(lng_hWnd) == FALSE) {
        Report(L"ssc_Subclass", L"Invalid window handle");
        return false;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(lng_hWnd, &process);
    if (process != GetCurrentProcessId()) {
        Report(L"ssc_Subclass", L"Window handle belongs to another process");
        return false;
    }
    if (nOrdinal != 1) {
        Report(L"ssc_Subclass", L"Callback method not found");
        return false;
    }
    if (!registry_) {
        registry_.emplace();
    }
    SubclassHook*& entry = (*registry_)[Key(lng_hWnd)];
    if (entry != nullptr) {
        Report(L"ssc_Subclass", L"Window handle is already subclassed");
        return false;
    }
    if (bUnicode != nullptr && *bUnicode) {
        *bUnicode = IsWindowUnicode(lng_hWnd) != FALSE;
    }
    entry = SubclassHook::Install(lng_hWnd, *this, MSG_ENTRIES);
    if (entry == nullptr) {
        registry_->erase(Key(lng_hWnd));
        Report(L"ssc_Subclass", L"SetWindowLong failed, error #" + std::to_wstring(GetLastError()));
        return false;
    }
    entry->UserValue() = lParamUser;
    return true;
}

void CSubclass::ssc_Terminate() {
    if (!registry_) {
        return;
    }
    for (auto it = registry_->rbegin(); it != registry_->rend(); ++it) {
        if (it->second != nullptr) {
            it->second->Release();
        }
    }
    registry_.reset();
}

void CSubclass::ssc_UnSubclass(HWND lng_hWnd) {
    if (SubclassHook* hook = FindHook(lng_hWnd, true)) {
        hook->Release();
        registry_->erase(Key(lng_hWnd));
    }
}

LRESULT CSubclass::ssc_CallOrigWndProc(HWND lng_hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    SubclassHook* hook = FindHook(lng_hWnd);
    return hook != nullptr ? hook->CallPrevious(uMsg, wParam, lParam) : 0;
}

void CSubclass::ssc_AddMsg(HWND lng_hWnd, long uMsg, long When) {
    SubclassHook* hook = FindHook(lng_hWnd);
    if (hook == nullptr) {
        return;
    }
    if ((When & WHEN_BEFORE) != 0) {
        AddToTable(hook->Before(), uMsg);
    }
    if ((When & WHEN_AFTER) != 0) {
        AddToTable(hook->After(), uMsg);
    }
}

void CSubclass::ssc_DelMsg(HWND lng_hWnd, long When, std::initializer_list<long> Messages) {
    SubclassHook* hook = FindHook(lng_hWnd);
    if (hook == nullptr) {
        return;
    }
    for (const long message : Messages) {
        if ((When & WHEN_BEFORE) != 0) {
            hook->Before().Remove(static_cast<std::int32_t>(message));
        }
        if ((When & WHEN_AFTER) != 0) {
            hook->After().Remove(static_cast<std::int32_t>(message));
        }
    }
}

void CSubclass::zSet_lParamUser(HWND hWnd_Hook_ID, LONG_PTR NewValue) {
    if (SubclassHook* hook = FindHook(hWnd_Hook_ID)) {
        hook->UserValue() = NewValue;
    }
}

LONG_PTR CSubclass::zGet_lParamUser(HWND hWnd_Hook_ID) {
    SubclassHook* hook = FindHook(hWnd_Hook_ID);
    return hook != nullptr ? hook->UserValue() : 0;
}

void CSubclass::HookMessage(SubclassHook& hook, bool before, bool& handled, LRESULT& result,
                            HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam) {
    WindowProc(before, handled, result, hWnd, message, wParam, lParam, hook.UserValue());
}

void CSubclass::HookGone(SubclassHook& hook) {
    if (!registry_) {
        return;
    }
    for (auto& entry : *registry_) {
        if (entry.second == &hook) {
            entry.second = nullptr;
        }
    }
}

std::wstring CSubclass::Key(HWND hWnd) {
    return L"h" + std::to_wstring(reinterpret_cast<LONG_PTR>(hWnd));
}

SubclassHook* CSubclass::FindHook(HWND hWnd, bool quiet) {
    if (!registry_) {
        Report(L"zMap_VFunction", L"Thunk hasn't been initialized");
        return nullptr;
    }
    if (registry_->empty()) {
        return nullptr;
    }
    const auto it = registry_->find(Key(hWnd));
    if (it == registry_->end()) {
        if (!quiet) {
            Report(L"zMap_VFunction", L"Thunk type for  does not exist");
        }
        return nullptr;
    }
    return it->second;
}

bool CSubclass::AddToTable(MessageTable& table, long message) {
    if (!table.Add(static_cast<std::int32_t>(message))) {
        Report(L"zAddMsg",
               L"Message table overflow. Either increase the value of Const MSG_ENTRIES or use "
               L"ALL_MESSAGES instead of specific message values");
        return false;
    }
    return true;
}
