#include "forms/Application.h"

#include "forms/CallbackBoundary.h"
#include "forms/Handles.h"
#include "forms/core/ScopeExit.h"
#include "forms/core/Units.h"

#include <algorithm>
#include <utility>

namespace forms {

std::vector<LoadedWindow*> Application::loaded_;
std::vector<LoadedWindow*> Application::retired_;
std::vector<std::function<void()>> Application::releases_;
std::vector<HWND> Application::doomed_;
std::deque<std::function<void()>> Application::posted_;

namespace {

constexpr UINT kDeleteRetired = WM_APP;
constexpr UINT kRunPosted = WM_APP + 1;

// Not a callback of ours in the boundary's sense: it must see the count of
// running callbacks at zero to delete anything.
LRESULT CALLBACK DispatcherProcedure(HWND hWnd, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept {
    if (message == kDeleteRetired) {
        try {
            Application::DeleteRetired();
        } catch (...) {
            // A destructor that throws leaves its form to the process end.
        }
        return 0;
    }
    if (message == kRunPosted) {
        Application::RunPosted();
        return 0;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

// A window class of ours with that procedure; registering it again is harmless.
const wchar_t* OwnClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = Application::Instance();
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
    return name;
}

} // namespace

int Application::Run() {
    MSG msg{};
    while (!ending_ && !loaded_.empty()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            break;
        }
        if (FilterKey(msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    UnloadAll();
    DeleteRetired();
    return 0;
}

void Application::UnloadAll() {
    while (!loaded_.empty()) {
        LoadedWindow* form = loaded_.front();
        Guarded(
            L"End", [form] { form->UnloadAtEnd(); }, [] {});
        // A form whose unload failed before it was forgotten is left as is.
        loaded_.erase(std::remove(loaded_.begin(), loaded_.end(), form), loaded_.end());
    }
}

void Application::DoEvents() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (FilterKey(msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Application::End() {
    ending_ = true;
    PostQuitMessage(0);
}

void Application::EndSession() {
    sessionEnded_ = true;
    End();
    UnloadAll();
}

void Application::FormLoaded(LoadedWindow* form) {
    if (std::find(loaded_.begin(), loaded_.end(), form) == loaded_.end()) {
        loaded_.push_back(form);
    }
}

void Application::FormUnloaded(LoadedWindow* form) {
    const auto it = std::find(loaded_.begin(), loaded_.end(), form);
    if (it == loaded_.end()) {
        return;
    }
    loaded_.erase(it);
    if (loaded_.empty()) {
        PostQuitMessage(0);
    }
}

void Application::DeleteLater(LoadedWindow* form) {
    if (std::find(retired_.begin(), retired_.end(), form) == retired_.end()) {
        retired_.push_back(form);
    }
    CallbacksReturned();
}

void Application::DestroyLater(HWND window) {
    doomed_.push_back(window);
    CallbacksReturned();
}

void Application::Post(std::function<void()> work) {
    {
        AcquireSRWLockExclusive(&postedLock_);
        const ScopeExit release([] { ReleaseSRWLockExclusive(&postedLock_); });
        posted_.push_back(std::move(work));
    }
    // Before Start, the work waits for the dispatcher Start makes.
    if (dispatcher_ != nullptr) {
        PostMessageW(dispatcher_, kRunPosted, 0, 0);
    }
}

void Application::Post(const Lifetime& owner, std::function<void()> work) {
    Post([watch = owner.Watched(), work = std::move(work)] {
        if (watch.Alive()) {
            work();
        }
    });
}

void Application::RunPosted() {
    std::function<void()> work;
    {
        AcquireSRWLockExclusive(&postedLock_);
        const ScopeExit release([] { ReleaseSRWLockExclusive(&postedLock_); });
        if (posted_.empty()) {
            return;
        }
        work = std::move(posted_.front());
        posted_.pop_front();
    }
    Guarded(L"Posted", work, [] {});
}

void Application::ReleaseLater(std::function<void()> release) {
    if (!CallbackScope::Active()) {
        release();
        return;
    }
    releases_.push_back(std::move(release));
}

void Application::CallbacksReturned() {
    if (CallbackScope::Active()) {
        return;
    }
    const bool waiting = !retired_.empty() || !releases_.empty() || !doomed_.empty();
    if (std::exchange(sessionEnded_, false) && waiting) {
        // No code of ours runs: as safe as the loop, and sooner.
        DeleteRetired();
    } else if (waiting && dispatcher_ != nullptr) {
        // Wakes whatever loop waits; the form goes when it dispatches this.
        PostMessageW(dispatcher_, kDeleteRetired, 0, 0);
    }
}

void Application::DeleteRetired() {
    if (CallbackScope::Active()) {
        return;
    }
    while (!retired_.empty() || !releases_.empty() || !doomed_.empty()) {
        std::vector<std::function<void()>> releases;
        releases.swap(releases_);
        for (const auto& release : releases) {
            release();
        }
        if (!releases_.empty()) {
            continue; // what a release let go of goes before any window
        }
        std::vector<HWND> doomed;
        doomed.swap(doomed_);
        for (HWND window : doomed) {
            DestroyWindow(window);
        }
        std::vector<LoadedWindow*> retired;
        retired.swap(retired_);
        for (LoadedWindow* form : retired) {
            form->Destroy();
        }
    }
}

void Application::Start() {
    TakeScreenDpi();
    if (dispatcher_ == nullptr) {
        dispatcher_ = CreateWindowExW(0, OwnClass(L"TavrinDispatcher", &DispatcherProcedure), L"",
                                      0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Instance(), nullptr);
        CallbackScope::OnOutermostReturn(&Application::CallbacksReturned);
    }
    AcquireSRWLockExclusive(&postedLock_);
    std::size_t waiting = posted_.size();
    ReleaseSRWLockExclusive(&postedLock_);
    for (; waiting > 0; --waiting) {
        PostMessageW(dispatcher_, kRunPosted, 0, 0);
    }
}

HWND Application::HiddenOwner() {
    if (hiddenOwner_ == nullptr || !IsWindow(hiddenOwner_)) {
        // A class of our own: the system's STATIC would load the common
        // controls before the splash shows.
        hiddenOwner_ = CreateWindowExW(0, OwnClass(L"TavrinOwner", &DefWindowProcW), L"", WS_POPUP,
                                       0, 0, 0, 0, nullptr, nullptr, Instance(), nullptr);
    }
    return hiddenOwner_;
}

void Application::TakeScreenDpi() {
    const WindowDc screen(nullptr);
    if (screen.get() != nullptr) {
        SetScreenDpi(GetDeviceCaps(screen.get(), LOGPIXELSX));
    }
}

} // namespace forms
