#pragma once

#include <windows.h>

namespace forms {

// Gives the window a rounded rectangle of width by height pixels as its
// shape, with corners cornerWidth by cornerHeight; the window owns it.
void RectRgn(HWND window, int width, int height, int cornerWidth, int cornerHeight);

} // namespace forms
