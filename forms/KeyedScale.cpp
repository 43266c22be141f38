#include "forms/KeyedScale.h"

#include "forms/Units.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace forms {
namespace {

constexpr std::uint32_t kRgb = 0x00FFFFFF;

struct Tap {
    int index;
    double weight;
};

// For each output pixel, the source pixels it covers and by how much
// (weights summing to 1).
std::vector<std::vector<Tap>> AreaTaps(int from, int to) {
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(to));
    const double step = static_cast<double>(from) / to;
    for (int o = 0; o < to; ++o) {
        const double begin = o * step;
        const double end = (o + 1) * step;
        for (int i = static_cast<int>(begin); i < end && i < from; ++i) {
            const double overlap = std::min<double>(end, i + 1) - std::max<double>(begin, i);
            if (overlap > 1e-12) {
                taps[static_cast<std::size_t>(o)].push_back({i, overlap / step});
            }
        }
    }
    return taps;
}

// Coverage, then coverage-weighted alpha, red, green and blue.
using Sample = std::array<double, 5>;

Sample Weighted(std::uint32_t pixel, std::uint32_t key) {
    if ((pixel & kRgb) == key) {
        return {};
    }
    Sample sample{1.0};
    for (std::size_t channel = 1; channel < sample.size(); ++channel) {
        sample[channel] = (pixel >> (32 - 8 * channel)) & 0xFF;
    }
    return sample;
}

std::uint32_t Resolved(const Sample& sample, std::uint32_t key) {
    // Ties go to the colour, so that a line one pixel wide never vanishes.
    if (sample[0] < 0.5 - 1e-9) {
        return key;
    }
    std::uint32_t pixel = 0;
    for (std::size_t channel = 1; channel < sample.size(); ++channel) {
        // Averages of bytes with weights that are never negative: 0 to 255.
        const auto value = static_cast<std::uint32_t>(sample[channel] / sample[0] + 0.5);
        pixel = (pixel << 8) | std::min(value, 255u);
    }
    // A colour that lands on the key would turn see-through: one step off.
    return (pixel & kRgb) == key ? pixel ^ 1u : pixel;
}

} // namespace

PixelImage ScaleKeyed(const PixelImage& source, int width, int height, std::uint32_t key) {
    PixelImage out;
    if (source.width <= 0 || source.height <= 0 || width <= 0 || height <= 0) {
        return out;
    }
    key &= kRgb;
    const auto columns = AreaTaps(source.width, width);
    const auto rows = AreaTaps(source.height, height);
    // Across first, into weighted samples, then down.
    std::vector<Sample> across(static_cast<std::size_t>(width) * source.height);
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < width; ++x) {
            Sample sum{};
            for (const Tap& tap : columns[static_cast<std::size_t>(x)]) {
                const Sample sample = Weighted(source.At(tap.index, y), key);
                for (std::size_t c = 0; c < sum.size(); ++c) {
                    sum[c] += sample[c] * tap.weight;
                }
            }
            across[static_cast<std::size_t>(y) * width + x] = sum;
        }
    }
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Sample sum{};
            for (const Tap& tap : rows[static_cast<std::size_t>(y)]) {
                const Sample& sample = across[static_cast<std::size_t>(tap.index) * width + x];
                for (std::size_t c = 0; c < sum.size(); ++c) {
                    sum[c] += sample[c] * tap.weight;
                }
            }
            out.pixels[static_cast<std::size_t>(y) * width + x] = Resolved(sum, key);
        }
    }
    return out;
}

std::vector<CellSpan> ScaledCells(const std::vector<int>& designWidths) {
    std::vector<CellSpan> cells;
    int left = 0;
    for (int width : designWidths) {
        cells.push_back({left, ScaleDesignPixels(width)});
        left += cells.back().width;
    }
    return cells;
}

PixelImage ScaleArtwork(const PixelImage& source, const std::vector<int>& designCells,
                        std::uint32_t key) {
    std::vector<int> cells = designCells;
    if (cells.empty() || std::accumulate(cells.begin(), cells.end(), 0) != source.width) {
        cells = {source.width};
    }
    const std::vector<CellSpan> spans = ScaledCells(cells);
    PixelImage out;
    out.width = spans.back().left + spans.back().width;
    out.height = ScaleDesignPixels(source.height);
    out.pixels.assign(static_cast<std::size_t>(out.width) * out.height, key & kRgb);
    int sourceLeft = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        PixelImage cell;
        cell.width = cells[i];
        cell.height = source.height;
        for (int y = 0; y < source.height; ++y) {
            const auto row = source.pixels.begin() + static_cast<std::ptrdiff_t>(y) * source.width;
            cell.pixels.insert(cell.pixels.end(), row + sourceLeft, row + sourceLeft + cell.width);
        }
        const PixelImage scaled = ScaleKeyed(cell, spans[i].width, out.height, key);
        for (int y = 0; y < scaled.height; ++y) {
            std::copy_n(
                scaled.pixels.begin() + static_cast<std::ptrdiff_t>(y) * scaled.width, scaled.width,
                out.pixels.begin() + static_cast<std::ptrdiff_t>(y) * out.width + spans[i].left);
        }
        sourceLeft += cells[i];
    }
    return out;
}

} // namespace forms
