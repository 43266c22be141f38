#include "forms/WindowRegion.h"

namespace forms {

void RectRgn(HWND window, int width, int height, int cornerWidth, int cornerHeight) {
    // The window owns the region from here on.
    SetWindowRgn(window, CreateRoundRectRgn(0, 0, width, height, cornerWidth, cornerHeight), TRUE);
}

GdiRegion ShapeWithout(HDC dc, int width, int height, COLORREF key) {
    GdiRegion shape(CreateRectRgn(0, 0, 0, 0));
    for (int y = 0; y < height; ++y) {
        int runStart = -1;
        for (int x = 0; x <= width; ++x) {
            const bool solid = x < width && GetPixel(dc, x, y) != key;
            if (solid && runStart < 0) {
                runStart = x;
            } else if (!solid && runStart >= 0) {
                const GdiRegion run(CreateRectRgn(runStart, y, x, y + 1));
                CombineRgn(shape.get(), shape.get(), run.get(), RGN_OR);
                runStart = -1;
            }
        }
    }
    return shape;
}

} // namespace forms
