#include "forms/WindowRegion.h"

namespace forms {

void RectRgn(HWND window, int width, int height, int cornerWidth, int cornerHeight) {
    // The window owns the region from here on.
    SetWindowRgn(window, CreateRoundRectRgn(0, 0, width, height, cornerWidth, cornerHeight), TRUE);
}

} // namespace forms
