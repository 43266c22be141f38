#pragma once

#include "forms/Handles.h"

#include <windows.h>

namespace forms {

// Gives the window a rounded rectangle of width by height pixels as its
// shape, with corners cornerWidth by cornerHeight; the window owns it.
void RectRgn(HWND window, int width, int height, int cornerWidth, int cornerHeight);

// The shape of what the DC shows in (0, 0, width, height), leaving out every
// pixel of the key colour.
GdiRegion ShapeWithout(HDC dc, int width, int height, COLORREF key);

} // namespace forms
