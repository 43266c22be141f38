#pragma once

#include <windows.h>

// A picture static (SS_NOTIFY) to screen readers: a push button with the
// given name, pressed by BM_CLICK as by a click. The name is not the
// window's text, which a bitmap static takes for a resource name; it must
// live as long as the program (a text constant).
class PictureButton final {
public:
    static void Install(HWND picture, const wchar_t* name);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR name);
};
