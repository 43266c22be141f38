#pragma once

#include "forms/Handles.h"

#include <windows.h>

#include <optional>
#include <string>

// The GDI helpers of the tab strip. The DC makers answer an empty DC when
// one cannot be made; the DCs they make delete themselves and their bitmaps.
namespace mdlTabAPI {

constexpr COLORREF kKeyColour = RGB(255, 0, 255);

void SetWindowStyleBits(HWND window, int index, LONG_PTR clearBits, LONG_PTR setBits,
                        UINT swpFlags);
// A memory DC holding a new bitmap compatible with the screen.
forms::BitmapDc CreateMemDC(int width, int height);
// A memory DC holding the given bitmap, which it takes over.
forms::BitmapDc CreateBitmapDC(forms::GdiBitmap bitmap);
// Copies the source rectangle stretched to the destination, keeping the
// four borders unstretched (nine parts); 0 when nothing was drawn.
BOOL DrawSkin(HDC dest, int x, int y, int dw, int dh, HDC src, int sx, int sy, int sw, int sh,
              int left, int top, int right, int bottom,
              std::optional<COLORREF> keyColour = std::nullopt);
BOOL TransBlt(HDC dest, int x, int y, int width, int height, HDC src, int sx, int sy,
              COLORREF keyColour);
int DrawTextRect(HDC dc, const std::wstring& text, int count, int x, int y, int width, int height,
                 UINT format);

} // namespace mdlTabAPI
