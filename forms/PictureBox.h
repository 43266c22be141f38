#pragma once

#include "forms/Event.h"
#include "forms/Handles.h"

#include <windows.h>

namespace forms {

// A plain child window that holds other windows or one bitmap: filled with
// its back colour, the arrow pointer over it, its size changes told as an
// event. Lengths are pixels.
class PictureBox {
public:
    PictureBox(HWND parent, int left, int top, int width, int height, COLORREF backColor);
    ~PictureBox();
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;

    HWND hWnd() const { return hwnd_; }
    void Move(int left, int top, int width, int height);
    bool Visible() const { return IsWindowVisible(hwnd_) != FALSE; }
    void SetVisible(bool visible);
    // Shown at the top-left corner; the box owns the bitmap.
    void SetPicture(GdiBitmap bitmap);
    int ScaleWidth() const;
    int ScaleHeight() const;

    Event<> Resize;

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc) const;

    HWND hwnd_ = nullptr;
    COLORREF backColor_;
    GdiBitmap picture_;
};

} // namespace forms
