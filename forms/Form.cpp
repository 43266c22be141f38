#include "forms/Form.h"

#include "forms/Application.h"
#include "forms/Dialogs.h"
#include "forms/Units.h"

namespace forms {

namespace {

constexpr wchar_t kFormClass[] = L"TavrinForm";

void RegisterFormClass(WNDPROC procedure) {
    static const ATOM atom = [procedure] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = procedure;
        wc.hInstance = Application::Instance();
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kFormClass;
        return RegisterClassExW(&wc);
    }();
    (void)atom;
}

int Twips(int pixels) {
    return PixelsToTwips(pixels);
}
int Pixels(int twips) {
    return TwipsToPixels(twips);
}

} // namespace

Form::Form(FormDesign design) : design_(std::move(design)) {}

Form::~Form() {
    if (hwnd_ != nullptr) {
        // The program is ending without unloading this window.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Form::LoadForm() {
    if (*loaded_) {
        return;
    }
    OnInitialize();
    if (Application::Ending()) {
        return;
    }
    CreateFormWindow();
    *loaded_ = true;
    Application::FormLoaded(this);
    OnLoad();
    loadStepDone_ = true;
}

void Form::CreateFormWindow() {
    RegisterFormClass(&Form::WindowProc);
    const DWORD style = design_.style & ~WS_VISIBLE;
    RECT frame{0, 0, Pixels(design_.clientWidthTwips), Pixels(design_.clientHeightTwips)};
    AdjustWindowRectEx(&frame, style, FALSE, design_.exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    if (design_.centerScreen) {
        x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    }
    HWND owner = design_.showInTaskbar ? nullptr : Application::HiddenOwner();
    CreateWindowExW(design_.exStyle, kFormClass, design_.caption.c_str(), style, x, y, width,
                    height, owner, nullptr, Application::Instance(), this);
}

void Form::Show() {
    if (*loaded_ && !Application::Ending()) {
        ShowWindow(hwnd_, SW_SHOW);
    }
}

void Form::Hide() {
    if (*loaded_) {
        ShowWindow(hwnd_, SW_HIDE);
    }
}

bool Form::Visible() const {
    return *loaded_ && IsWindowVisible(hwnd_) != FALSE;
}

void Form::ShowModal(Form* owner) {
    Dialogs::Modal(*this, owner);
}

void Form::RunModalLoop(Form* owner) {
    const std::shared_ptr<bool> loaded = loaded_;
    HWND ownerWindow = owner != nullptr ? owner->hWnd() : nullptr;
    const bool disableOwner = ownerWindow != nullptr && IsWindowEnabled(ownerWindow);
    if (disableOwner) {
        EnableWindow(ownerWindow, FALSE);
    }
    Show();
    MSG msg{};
    while (*loaded && IsWindowVisible(hwnd_) && !Application::Ending()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // Leave the quit request for the outer loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (disableOwner && IsWindow(ownerWindow)) {
        EnableWindow(ownerWindow, TRUE);
        SetActiveWindow(ownerWindow);
    }
}

bool Form::Unload() {
    if (!*loaded_ || unloading_) {
        return !*loaded_;
    }
    bool cancel = false;
    OnQueryUnload(cancel);
    if (cancel) {
        return false;
    }
    unloading_ = true;
    OnUnload();
    *loaded_ = false;
    DestroyWindow(hwnd_);
    Released();
    Application::FormUnloaded(this);
    if (deleteOnUnload_) {
        Application::Retire(this);
    }
    return true;
}

std::wstring Form::Caption() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Form::SetCaption(const std::wstring& caption) {
    SetWindowTextW(hwnd_, caption.c_str());
}

int Form::Left() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return Twips(r.left);
}

int Form::Top() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return Twips(r.top);
}

int Form::Width() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return Twips(r.right - r.left);
}

int Form::Height() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return Twips(r.bottom - r.top);
}

int Form::ScaleWidth() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    return Twips(r.right);
}

int Form::ScaleHeight() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    return Twips(r.bottom);
}

void Form::Move(int left, int top) {
    SetWindowPos(hwnd_, nullptr, Pixels(left), Pixels(top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Move(int left, int top, int width, int height) {
    MoveWindow(hwnd_, Pixels(left), Pixels(top), Pixels(width), Pixels(height), TRUE);
}

HDC Form::Surface() {
    if (!surface_) {
        surface_.Resize(hwnd_);
        Cls();
    }
    return surface_.dc();
}

void Form::Cls() {
    RECT r{};
    GetClientRect(hwnd_, &r);
    FillRect(Surface(), &r, GetSysColorBrush(COLOR_BTNFACE));
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void Form::SetMousePointer(HCURSOR cursor) {
    cursor_ = cursor;
    SetCursor(cursor);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT Form::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (surface_) {
            surface_.Resize(hwnd_);
            Cls();
        }
        if (loadStepDone_) {
            OnResize();
        }
        break;
    case WM_PAINT:
        if (surface_) {
            surface_.Paint(hwnd_);
            return 0;
        }
        break;
    case WM_SETCURSOR:
        if (cursor_ != nullptr && LOWORD(lParam) == HTCLIENT) {
            SetCursor(cursor_);
            return TRUE;
        }
        break;
    case WM_CLOSE:
        Unload();
        return 0;
    default:
        break;
    }
    return HandleMessage(message, wParam, lParam);
}

LRESULT CALLBACK Form::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* form = nullptr;
    if (message == WM_NCCREATE) {
        form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd_ = hWnd;
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    } else {
        form = reinterpret_cast<Form*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    }
    if (form == nullptr) {
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
    Application::DispatchScope scope;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        form->hwnd_ = nullptr;
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
    return form->Dispatch(message, wParam, lParam);
}

} // namespace forms
