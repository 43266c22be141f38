#pragma once

#include <cstdint>
#include <vector>

// Artwork scaled to the screen's DPI with a key colour kept exact: every
// output pixel is either exactly the key or a colour filtered only from
// source pixels that are not the key.
namespace forms {

// Pixels as 0xAARRGGBB (a 32-bit DIB's memory order), rows top to bottom.
struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Area-averaged to width x height. Coverage (the share of non-key source
// under a pixel) and colour are averaged apart: below half coverage the
// pixel is the key, otherwise the colour divided by the coverage. key is
// 0x00RRGGBB; the alpha byte takes no part in the comparison.
PixelImage ScaleKeyed(const PixelImage& source, int width, int height, std::uint32_t key);

// One cell of a strip once scaled: where it starts and how wide it is.
struct CellSpan {
    int left;
    int width;
};
// Cells of these design widths, side by side, each scaled to the DPI (0:
// the screen's) on its own: a cell n design pixels wide is ScalePixelsAt(n) wide.
std::vector<CellSpan> ScaledCells(const std::vector<int>& designWidths, int dpi = 0);

// The picture at the DPI (0: the screen's), each cell scaled on its own so
// that no cell bleeds into its neighbour (no cells: the whole picture is one).
// sourceScale: the source's pixels to a design pixel (2: drawn twice as large).
PixelImage ScaleArtwork(const PixelImage& source, const std::vector<int>& designCells,
                        std::uint32_t key, int sourceScale = 1, int dpi = 0);

} // namespace forms
