#include "forms/core/KeyedScale.h"

#include "forms/core/Units.h"

#include <algorithm>
#include <numeric>

namespace forms {
namespace {

constexpr std::uint32_t kRgb = 0x00FFFFFF;

// How much of source pixel i lies under [begin, end), as a share of the
// output pixel's span.
double Share(int i, double begin, double end, double step) {
    return (std::min<double>(end, i + 1) - std::max<double>(begin, i)) / step;
}

// Source columns [left, left + width) scaled into out's columns
// [outLeft, outLeft + outWidth), all rows. Coverage (the share of non-key
// source under an output pixel) and the coverage-weighted channels are
// summed together; the colour is their quotient.
void ScaleCell(const PixelImage& source, int left, int width, PixelImage& out, int outLeft,
               int outWidth, std::uint32_t key) {
    const double stepX = static_cast<double>(width) / outWidth;
    const double stepY = static_cast<double>(source.height) / out.height;
    for (int y = 0; y < out.height; ++y) {
        const double top = y * stepY;
        const double bottom = (y + 1) * stepY;
        for (int x = 0; x < outWidth; ++x) {
            const double begin = x * stepX;
            const double end = (x + 1) * stepX;
            double sum[5] = {};
            for (int j = static_cast<int>(top); j < bottom && j < source.height; ++j) {
                const double shareY = Share(j, top, bottom, stepY);
                for (int i = static_cast<int>(begin); i < end && i < width; ++i) {
                    const std::uint32_t pixel = source.At(left + i, j);
                    if ((pixel & kRgb) == key) {
                        continue;
                    }
                    const double weight = shareY * Share(i, begin, end, stepX);
                    sum[0] += weight;
                    for (int c = 1; c < 5; ++c) {
                        sum[c] += weight * ((pixel >> (32 - 8 * c)) & 0xFF);
                    }
                }
            }
            std::uint32_t result = key;
            // Ties go to the colour, so that a line one pixel wide never vanishes.
            if (sum[0] >= 0.5 - 1e-9) {
                result = 0;
                for (int c = 1; c < 5; ++c) {
                    // Averages of bytes with weights that are never negative: 0 to 255.
                    const auto value = static_cast<std::uint32_t>(sum[c] / sum[0] + 0.5);
                    result = (result << 8) | std::min(value, 255u);
                }
                // A colour that lands on the key would turn see-through: one step off.
                result = (result & kRgb) == key ? result ^ 1u : result;
            }
            out.pixels[static_cast<std::size_t>(y) * out.width + outLeft + x] = result;
        }
    }
}

PixelImage Blank(int width, int height, std::uint32_t key) {
    PixelImage out;
    out.width = width;
    out.height = height;
    out.pixels.assign(static_cast<std::size_t>(width) * height, key);
    return out;
}

} // namespace

PixelImage ScaleKeyed(const PixelImage& source, int width, int height, std::uint32_t key) {
    if (source.width <= 0 || source.height <= 0 || width <= 0 || height <= 0) {
        return {};
    }
    PixelImage out = Blank(width, height, key & kRgb);
    ScaleCell(source, 0, source.width, out, 0, width, key & kRgb);
    return out;
}

std::vector<CellSpan> ScaledCells(const std::vector<int>& designWidths, int dpi) {
    const int at = dpi != 0 ? dpi : ScreenDpi();
    std::vector<CellSpan> cells;
    int left = 0;
    for (int width : designWidths) {
        cells.push_back({left, ScalePixelsAt(width, at)});
        left += cells.back().width;
    }
    return cells;
}

PixelImage ScaleArtwork(const PixelImage& source, const std::vector<int>& designCells,
                        std::uint32_t key, int sourceScale, int dpi) {
    const int at = dpi != 0 ? dpi : ScreenDpi();
    std::vector<int> cells = designCells;
    if (cells.empty() ||
        std::accumulate(cells.begin(), cells.end(), 0) * sourceScale != source.width) {
        cells = {source.width / sourceScale};
    }
    const std::vector<CellSpan> spans = ScaledCells(cells, at);
    PixelImage out = Blank(spans.back().left + spans.back().width,
                           ScalePixelsAt(source.height / sourceScale, at), key & kRgb);
    int sourceLeft = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int sourceWidth = cells[i] * sourceScale;
        if (sourceWidth > 0 && spans[i].width > 0 && out.height > 0) {
            ScaleCell(source, sourceLeft, sourceWidth, out, spans[i].left, spans[i].width,
                      key & kRgb);
        }
        sourceLeft += sourceWidth;
    }
    return out;
}

} // namespace forms
