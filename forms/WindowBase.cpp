#include "forms/WindowBase.h"

#include "forms/Application.h"
#include "forms/CallbackBoundary.h"

namespace forms {

const WindowBase::WindowClass WindowBase::kFormClass = {
    L"TavrinWindow", reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), CS_DBLCLKS};

void RegisterOwnClass(const wchar_t* name, WNDPROC procedure, HBRUSH background, UINT style) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(Application::Instance(), name, &wc) != FALSE) {
        return;
    }
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = Application::Instance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

WindowBase::~WindowBase() {
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        if (!destroyPending_) {
            DestroyWindow(hwnd_);
        }
    }
}

void WindowBase::DestroyFromLoop() {
    if (hwnd_ != nullptr && !destroyPending_) {
        destroyPending_ = true;
        Application::DestroyLater(hwnd_);
    }
}

void WindowBase::CreateBound(DWORD exStyle, const wchar_t* caption, DWORD style, int x, int y,
                             int width, int height, HWND parent, const WindowClass& windowClass) {
    RegisterOwnClass(windowClass.name, &WindowBase::WindowProc, windowClass.background,
                     windowClass.style);
    CreateWindowExW(exStyle, windowClass.name, caption, style, x, y, width, height, parent, nullptr,
                    Application::Instance(), this);
}

LRESULT CALLBACK WindowBase::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded(
        L"WindowProc", [&] { return Route(hWnd, message, wParam, lParam); },
        [&] { return DefWindowProcW(hWnd, message, wParam, lParam); });
}

LRESULT WindowBase::Route(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* bound =
            static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        bound->hwnd_ = hWnd;
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bound));
    }
    auto* window = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (window == nullptr) {
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        window->hwnd_ = nullptr;
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
    return window->Dispatch(message, wParam, lParam);
}

} // namespace forms
