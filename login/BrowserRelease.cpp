#include "login/BrowserRelease.h"

#include "forms/CallbackBoundary.h"

#include <vector>

namespace login {

namespace {

std::vector<std::unique_ptr<IBrowser>>& Pending() {
    static std::vector<std::unique_ptr<IBrowser>> pending;
    return pending;
}

void CALLBACK ReleasePending(HWND, UINT, UINT_PTR id, DWORD) {
    forms::Guarded(
        L"ReleaseBrowser",
        [id] {
            KillTimer(nullptr, id);
            std::vector<std::unique_ptr<IBrowser>> pending;
            pending.swap(Pending());
        },
        [] {});
}

} // namespace

void ReleaseBrowser(std::unique_ptr<IBrowser> browser) {
    if (!browser) {
        return;
    }
    if (!forms::CallbackScope::Active()) {
        browser.reset();
        return;
    }
    if (Pending().empty()) {
        SetTimer(nullptr, 0, 0, &ReleasePending);
    }
    Pending().push_back(std::move(browser));
}

} // namespace login
