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

    // The window class a kind of window registers: its name, background
    // brush (null: the window paints all of it) and class style.
    struct WindowClass {
        const wchar_t* name;
        HBRUSH background;
        UINT style;
    };
    static const WindowClass kFormClass;

    // Creates the window with this object bound to it from WM_NCCREATE on.
    void CreateBound(DWORD exStyle, const wchar_t* caption, DWORD style, int x, int y, int width,
                     int height, HWND parent, const WindowClass& windowClass = kFormClass);
    // Every message of the bound window, inside the callback boundary.
    virtual LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Hands the window to the loop for destruction (Application::DestroyLater);
    // the object may go first, the window then answers by default.
    void DestroyFromLoop();
    LRESULT DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT Route(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    bool destroyPending_ = false;
};

} // namespace forms
