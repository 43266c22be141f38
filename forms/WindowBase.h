#pragma once

#include <windows.h>

namespace forms {

// Registers one of this program's window classes (arrow pointer); calling
// it again for a registered name does nothing.
void RegisterOwnClass(const wchar_t* name, WNDPROC procedure, HBRUSH background = nullptr,
                      UINT style = 0);

// What forms and user controls share: one window class, one procedure that
// binds the object to its window at creation, and one dispatch through the
// callback boundary.
class WindowBase {
public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND hWnd() const { return hwnd_; }

protected:
    WindowBase() = default;
    // Destroys a window that is still there without calling back into a
    // half-destroyed object.
    virtual ~WindowBase();

    // Creates the window with this object bound to it from WM_NCCREATE on.
    void CreateBound(DWORD exStyle, const wchar_t* caption, DWORD style, int x, int y, int width,
                     int height, HWND parent);
    // Every message of the bound window, inside the callback boundary.
    virtual LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT Route(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

} // namespace forms
