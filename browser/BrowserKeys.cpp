#include "browser/BrowserKeys.h"

#include "forms/CallbackBoundary.h"
#include "forms/ComPtr.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace browser {

namespace {

// No reference of its own: the engine removes its host before it lets go of
// the control, so nothing here is released after OLE is uninitialised.
struct Hosted {
    HWND host;
    IOleInPlaceActiveObject* control;
};

std::vector<Hosted>& Entries() {
    static std::vector<Hosted> entries;
    return entries;
}

HHOOK hook = nullptr;

} // namespace

void BrowserKeys::Add(HWND host, IOleInPlaceActiveObject* control) {
    if (control == nullptr) {
        return;
    }
    Entries().push_back({host, control});
    if (hook == nullptr) {
        hook = SetWindowsHookExW(WH_GETMESSAGE, &BrowserKeys::Hook, nullptr, GetCurrentThreadId());
    }
}

void BrowserKeys::Remove(HWND host) {
    auto& entries = Entries();
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [host](const Hosted& entry) { return entry.host == host; }),
                  entries.end());
    if (entries.empty() && hook != nullptr) {
        UnhookWindowsHookEx(std::exchange(hook, nullptr));
    }
}

LRESULT CALLBACK BrowserKeys::Hook(int code, WPARAM wParam, LPARAM lParam) {
    return forms::Guarded(
        L"BrowserKeys.Hook",
        [&] {
            if (code == HC_ACTION && wParam == PM_REMOVE) {
                Offer(*reinterpret_cast<MSG*>(lParam));
            }
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        [&] { return CallNextHookEx(nullptr, code, wParam, lParam); });
}

// A key the control takes becomes WM_NULL, which nothing acts on.
void BrowserKeys::Offer(MSG& message) {
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) {
        return;
    }
    for (const Hosted& entry : Entries()) {
        if (message.hwnd == entry.host || IsChild(entry.host, message.hwnd)) {
            // Held for the call: the control may end its own hosting.
            forms::ComPtr<IOleInPlaceActiveObject> control;
            entry.control->AddRef();
            *control.put() = entry.control;
            if (control->TranslateAccelerator(&message) == S_OK) {
                message.message = WM_NULL;
            }
            return;
        }
    }
}

} // namespace browser
