#include "forms/Form.h"

#include "forms/Application.h"
#include "forms/CallbackBoundary.h"
#include "forms/Dialogs.h"
#include "forms/WorkArea.h"
#include "forms/core/ScopeExit.h"
#include "forms/core/Units.h"

#include <utility>

namespace forms {

namespace {

int Twips(int pixels) {
    return static_cast<int>(RoundHalfEven(PixelsToTwips(pixels)));
}
int Pixels(double twips) {
    return TwipsToPixels(twips);
}

} // namespace

Form::Form(FormDesign design) : design_(std::move(design)) {}

void Form::LoadForm() {
    if (loaded_.Alive()) {
        return;
    }
    // The steps run outside the message loop: what they unload waits.
    const CallbackScope scope;
    try {
        OnInitialize();
        if (Application::Ending()) {
            return;
        }
        CreateFormWindow();
        loaded_.Renew();
        Application::FormLoaded(&asLoaded_);
        OnLoad();
    } catch (...) {
        // A step that fails leaves the form unloaded and let go, not half made.
        unloading_ = true;
        if (loaded_.Alive()) {
            Retire();
        } else {
            Released();
            if (deleteOnUnload_) {
                Application::DeleteLater(&asLoaded_);
            }
        }
        throw;
    }
    loadStepDone_ = true;
}

void Form::CreateFormWindow() {
    const DWORD style = design_.style & ~WS_VISIBLE;
    RECT frame{0, 0, Pixels(design_.clientWidthTwips), Pixels(design_.clientHeightTwips)};
    AdjustWindowRectEx(&frame, style, FALSE, design_.exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    if (design_.centerScreen) {
        const Rect place = WorkAreaRules::Centred(WorkAreaAtCursor(), width, height);
        x = place.left;
        y = place.top;
    }
    HWND owner = design_.showInTaskbar ? nullptr : Application::HiddenOwner();
    CreateBound(design_.exStyle, design_.caption.c_str(), style, x, y, width, height, owner);
}

void Form::PostWhileLoaded(std::function<void()> work) {
    Application::Post(loaded_, std::move(work));
}

void Form::Show() {
    if (loaded_.Alive() && !Application::Ending()) {
        ShowWindow(hWnd(), SW_SHOW);
    }
}

void Form::Hide() {
    if (loaded_.Alive()) {
        ShowWindow(hWnd(), SW_HIDE);
    }
}

bool Form::Visible() const {
    return loaded_.Alive() && IsWindowVisible(hWnd()) != FALSE;
}

void Form::ShowModal(Form* owner) {
    Dialogs::Modal(*this, owner);
}

void Form::RunModalLoop(Form* owner) {
    // Nothing unloaded inside the loop is freed before it returns.
    const CallbackScope scope;
    const Lifetime::Watch loaded = loaded_.Watched();
    HWND window = hWnd();
    HWND ownerWindow = owner != nullptr ? owner->hWnd() : nullptr;
    if (ownerWindow != nullptr) {
        // Owned by the window it blocks: it stays above that window.
        SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerWindow));
    }
    const bool disableOwner = ownerWindow != nullptr && IsWindowEnabled(ownerWindow);
    if (disableOwner) {
        EnableWindow(ownerWindow, FALSE);
        modalOwner_ = ownerWindow;
    }
    Show();
    MSG msg{};
    while (loaded.Alive() && IsWindowVisible(window) && !Application::Ending()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // Leave the quit request for the outer loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (Application::FilterKey(msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    modalOwner_ = nullptr;
    if (disableOwner && IsWindow(ownerWindow)) {
        EnableWindow(ownerWindow, TRUE);
        SetActiveWindow(ownerWindow);
    }
}

bool Form::Unload() {
    if (!loaded_.Alive() || unloading_) {
        return !loaded_.Alive();
    }
    bool cancel = false;
    OnQueryUnload(cancel);
    if (cancel || !loaded_.Alive() || unloading_) {
        // Cancelled, or unloaded meanwhile (inside the question's own loop).
        return !cancel && !loaded_.Alive();
    }
    RunUnloadStep();
    return true;
}

void Form::UnloadAtEnd() {
    if (loaded_.Alive() && !unloading_) {
        RunUnloadStep();
    }
}

void Form::RunUnloadStep() {
    unloading_ = true;
    // Whatever the unload step throws, the form ends unloaded.
    const ScopeExit retire([this] { Retire(); });
    OnUnload();
}

void Form::Retire() {
    loaded_.End();
    HWND window = hWnd();
    if (modalOwner_ != nullptr) {
        // Enabled before this window hides or goes, or the system activates
        // another program's window instead of the owner.
        EnableWindow(std::exchange(modalOwner_, nullptr), TRUE);
    }
    if (CallbackScope::Active()) {
        // Code of ours, or an engine's event, may still run in this window or
        // its children: it goes at once from sight and from its owner (whose
        // destruction would take it along), and is destroyed from the loop.
        ShowWindow(window, SW_HIDE);
        if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0) {
            SetWindowLongPtrW(window, GWLP_HWNDPARENT, 0);
        }
        DestroyFromLoop();
    } else {
        DestroyWindow(window);
    }
    Released();
    Application::FormUnloaded(&asLoaded_);
    if (deleteOnUnload_) {
        Application::DeleteLater(&asLoaded_);
    }
}

std::wstring Form::Caption() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hWnd())) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(hWnd(), text.data(), static_cast<int>(text.size()))));
    return text;
}

void Form::SetCaption(const std::wstring& caption) {
    SetWindowTextW(hWnd(), caption.c_str());
}

int Form::Left() const {
    RECT r{};
    GetWindowRect(hWnd(), &r);
    return Twips(r.left);
}

int Form::Top() const {
    RECT r{};
    GetWindowRect(hWnd(), &r);
    return Twips(r.top);
}

int Form::Width() const {
    RECT r{};
    GetWindowRect(hWnd(), &r);
    return Twips(r.right - r.left);
}

int Form::Height() const {
    RECT r{};
    GetWindowRect(hWnd(), &r);
    return Twips(r.bottom - r.top);
}

int Form::ScaleWidth() const {
    RECT r{};
    GetClientRect(hWnd(), &r);
    return Twips(r.right);
}

int Form::ScaleHeight() const {
    RECT r{};
    GetClientRect(hWnd(), &r);
    return Twips(r.bottom);
}

void Form::Move(int left, int top) {
    SetWindowPos(hWnd(), nullptr, Pixels(left), Pixels(top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Move(int left, int top, int width, int height) {
    MoveWindow(hWnd(), Pixels(left), Pixels(top), Pixels(width), Pixels(height), TRUE);
}

HDC Form::Surface() {
    if (!surface_) {
        surface_.Resize(hWnd());
        Cls();
    }
    return surface_.dc();
}

void Form::Cls() {
    RECT r{};
    GetClientRect(hWnd(), &r);
    FillRect(Surface(), &r, GetSysColorBrush(COLOR_BTNFACE));
    InvalidateRect(hWnd(), nullptr, FALSE);
}

void Form::SetMousePointer(HCURSOR cursor) {
    cursor_ = cursor;
    SetCursor(cursor);
}

void Form::OnEndSession() {
    Application::EndSession();
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultProcedure(message, wParam, lParam);
}

LRESULT Form::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (unloading_ && !loaded_.Alive()) {
        // Unloaded, its window waiting for the loop: nothing of ours runs.
        return DefaultProcedure(message, wParam, lParam);
    }
    switch (message) {
    case WM_SIZE:
        if (surface_) {
            surface_.Resize(hWnd());
            Cls();
        }
        if (loadStepDone_) {
            OnResize();
        }
        break;
    case WM_PAINT:
        if (surface_) {
            surface_.Paint(hWnd());
            return 0;
        }
        break;
    case WM_SETCURSOR:
        if (cursor_ != nullptr && LOWORD(lParam) == HTCLIENT) {
            SetCursor(cursor_);
            return TRUE;
        }
        break;
    case WM_WINDOWPOSCHANGING:
        if (modalOwner_ != nullptr &&
            (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW) != 0) {
            // The owner must be enabled before a modal form hides or goes,
            // or the system activates another program's window instead.
            EnableWindow(std::exchange(modalOwner_, nullptr), TRUE);
        }
        break;
    case WM_CLOSE:
        Unload();
        return 0;
    case WM_QUERYENDSESSION:
        return OnQueryEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION:
        if (wParam != FALSE) {
            OnEndSession();
        }
        return 0;
    default:
        break;
    }
    return HandleMessage(message, wParam, lParam);
}

void RunOwnModalLoop(Form& form, Form* owner) {
    form.RunModalLoop(owner);
}

} // namespace forms
