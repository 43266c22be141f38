#pragma once

#include "forms/Gdiplus.h"
#include "forms/Handles.h"

#include <cstdint>

namespace forms {

class PngResource;

// The memory surface that a per-pixel-alpha window shows: a 32-bit
// premultiplied bitmap in a memory DC, with the GDI+ graphics that drew it.
class LayeredPicture {
public:
    LayeredPicture() = default;
    LayeredPicture(LayeredPicture&&) = default;
    // Lets go of the surface it held in reverse order first.
    LayeredPicture& operator=(LayeredPicture&& other) noexcept;
    ~LayeredPicture() { Release(); }

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Premultiplied 0xAARRGGBB of one pixel; 0 outside the picture.
    std::uint32_t PixelAt(int x, int y) const;

    // GDI+ must let go of the surface before GDI+ itself shuts down.
    void ReleaseGraphics();

private:
    friend LayeredPicture DrawLayeredPng(const PngResource& png, int dpi);
    friend void PushLayered(HWND window, const LayeredPicture& picture);
    // GDI+ first, then the DIB and its DC.
    void Release();

    forms::BitmapDc dib_;
    forms::GpImagePtr surface_;
    forms::GpGraphicsPtr graphics_;
    const std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// Draws the picture into a new surface at the DPI (0: the screen's). Needs no
// window, so any thread may draw while GDI+ is up.
LayeredPicture DrawLayeredPng(const PngResource& png, int dpi = 0);

// Hands the surface to the layered window, which keeps its position and
// takes the surface's size.
void PushLayered(HWND window, const LayeredPicture& picture);

// DrawLayeredPng, then PushLayered.
LayeredPicture ShowLayeredPng(HWND window, const PngResource& png);

} // namespace forms
