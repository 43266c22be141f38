#pragma once

#include "forms/Handles.h"
#include "forms/WindowBase.h"
#include "forms/core/Event.h"

#include <windows.h>

namespace forms {

// A plain child window that holds other windows or one bitmap: filled with
// its back colour, the arrow pointer over it, its size changes told as an
// event. Lengths are pixels.
class PictureBox final : public WindowBase {
public:
    PictureBox(HWND parent, int left, int top, int width, int height, COLORREF backColor);

    void Move(int left, int top, int width, int height);
    bool Visible() const { return IsWindowVisible(hWnd()) != FALSE; }
    void SetVisible(bool visible);
    // Shown at the top-left corner; the box owns the bitmap.
    void SetPicture(GdiBitmap bitmap);
    int ScaleWidth() const;
    int ScaleHeight() const;

    Event<> Resize;

private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) const;

    COLORREF backColor_;
    GdiBitmap picture_;
};

} // namespace forms
