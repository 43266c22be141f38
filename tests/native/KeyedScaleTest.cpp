#include "forms/core/KeyedScale.h"

#include "forms/core/Units.h"
#include "resources/Artwork.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace {

constexpr std::uint32_t kKey = 0xFF00FF;
constexpr std::uint32_t kDark = 0x0A141E;
constexpr std::uint32_t kLight = 0xC8B4A0;

// A rounded plate on the key: light rim, dark inside, key corners.
forms::PixelImage Plate(int width, int height) {
    forms::PixelImage image{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int dx = std::max({0, 3 - x, x - (width - 4)});
            const int dy = std::max({0, 3 - y, y - (height - 4)});
            const bool inside = dx * dx + dy * dy <= 9;
            const bool rim = x == 0 || y == 0 || x == width - 1 || y == height - 1 || dx + dy >= 3;
            image.pixels.push_back(!inside ? kKey : (rim ? kLight : kDark));
        }
    }
    return image;
}

class AtDpi : public testing::TestWithParam<int> {
protected:
    void SetUp() override { ASSERT_TRUE(forms::SetScreenDpi(GetParam())); }
    void TearDown() override { forms::SetScreenDpi(forms::kDesignDpi); }
};

TEST_P(AtDpi, TakesTheScaledSizeAndKeepsKeyPixelsExact) {
    const forms::PixelImage plate = Plate(29, 18);
    const forms::PixelImage scaled = forms::ScaleArtwork(plate, {}, kKey);
    ASSERT_EQ(scaled.width, forms::ScaleDesignPixels(29));
    ASSERT_EQ(scaled.height, forms::ScaleDesignPixels(18));
    ASSERT_EQ(scaled.pixels.size(), static_cast<std::size_t>(scaled.width) * scaled.height);
    EXPECT_EQ(scaled.At(0, 0), kKey);
    EXPECT_EQ(scaled.At(scaled.width - 1, scaled.height - 1), kKey);
    EXPECT_EQ(scaled.At(scaled.width / 2, scaled.height / 2), kDark);
    for (std::uint32_t pixel : scaled.pixels) {
        if (pixel == kKey) {
            continue;
        }
        // Only dark and light went into it: no channel reaches the key's.
        for (int shift : {0, 8, 16}) {
            const auto channel = (pixel >> shift) & 0xFF;
            EXPECT_GE(channel, std::min((kDark >> shift) & 0xFF, (kLight >> shift) & 0xFF));
            EXPECT_LE(channel, std::max((kDark >> shift) & 0xFF, (kLight >> shift) & 0xFF));
        }
    }
}

TEST_P(AtDpi, ASolidColourStaysSolidUpToTheKeyedEdge) {
    forms::PixelImage solid{7, 5, std::vector<std::uint32_t>(35, 0x80123456)};
    solid.pixels[0] = kKey;
    const forms::PixelImage scaled = forms::ScaleArtwork(solid, {}, kKey);
    const auto solidCount = std::count(scaled.pixels.begin(), scaled.pixels.end(), 0x80123456u);
    const auto keyCount = std::count(scaled.pixels.begin(), scaled.pixels.end(), kKey);
    EXPECT_EQ(static_cast<std::size_t>(solidCount + keyCount), scaled.pixels.size());
    EXPECT_GT(keyCount, 0);
}

TEST_P(AtDpi, CellsKeepToThemselvesAndTakeTheirScaledWidthsFromEitherDrawingSize) {
    const std::vector<int> cells{1, 12, 12, 5};
    const std::uint32_t colours[] = {0x010101, 0x102030, 0xF0E0D0, 0x405060};
    const auto spans = forms::ScaledCells(cells);
    ASSERT_EQ(spans.size(), cells.size());
    for (int sourceScale : {1, 2}) {
        forms::PixelImage strip{30 * sourceScale, 4 * sourceScale, {}};
        for (int y = 0; y < strip.height; ++y) {
            for (std::size_t c = 0; c < cells.size(); ++c) {
                strip.pixels.insert(strip.pixels.end(), cells[c] * sourceScale, colours[c]);
            }
        }
        const forms::PixelImage scaled = forms::ScaleArtwork(strip, cells, kKey, sourceScale);
        ASSERT_EQ(scaled.height, forms::ScaleDesignPixels(4)) << sourceScale;
        int left = 0;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            EXPECT_EQ(spans[c].left, left);
            EXPECT_EQ(spans[c].width, forms::ScaleDesignPixels(cells[c]));
            left += spans[c].width;
            for (int y = 0; y < scaled.height; ++y) {
                for (int x = spans[c].left; x < spans[c].left + spans[c].width; ++x) {
                    ASSERT_EQ(scaled.At(x, y), colours[c])
                        << sourceScale << ": " << c << " at " << x;
                }
            }
        }
        EXPECT_EQ(scaled.width, left);
    }
}

INSTANTIATE_TEST_SUITE_P(KeyedScale, AtDpi, testing::Values(120, 144, 192));

TEST(KeyedScale, DoublingRepeatsEveryPixelKeyIncluded) {
    const forms::PixelImage plate = Plate(11, 9);
    const forms::PixelImage doubled = forms::ScaleKeyed(plate, 22, 18, kKey);
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 22; ++x) {
            ASSERT_EQ(doubled.At(x, y), plate.At(x / 2, y / 2)) << x << ", " << y;
        }
    }
}

TEST(KeyedScale, HalvingAveragesOnlyWhatIsNotKey) {
    // Per 2 x 2 block: three colours and a key give their mean; one colour
    // among three keys is under half covered and becomes the key.
    const forms::PixelImage source{
        4, 2, {kDark, kKey, kKey, kKey, 0x0C1620, 0x0A141E, kKey, kLight}};
    const forms::PixelImage half = forms::ScaleKeyed(source, 2, 1, kKey);
    EXPECT_EQ(half.At(0, 0), 0x0B151Fu);
    EXPECT_EQ(half.At(1, 0), kKey);
}

TEST(KeyedScale, AColourNeverLandsOnTheKey) {
    // Averaged, the two round to exactly the key's red, green and blue.
    const forms::PixelImage source{2, 1, {0xFE00FF, 0xFF00FE}};
    const forms::PixelImage one = forms::ScaleKeyed(source, 1, 1, 0xFF00FF);
    EXPECT_NE(one.At(0, 0) & 0xFFFFFF, 0xFF00FFu);
}

TEST(ArtCells, CoverTheirBitmapsWholeWidth) {
    for (const auto& [id, width] : {std::pair{IDB_MIN, 72},
                                    {IDB_MINMAX, 150},
                                    {IDB_CLOSE, 129},
                                    {IDB_UPDATE_CLOSE, 129},
                                    {IDB_TOOL, 72},
                                    {IDB_TABS_LOW, 415},
                                    {IDB_TABS_HIGH, 421},
                                    {IDB_ANSWER, 225},
                                    {IDB_OTHER_USER, 297},
                                    {IDB_GAME_SPACE, 243}}) {
        const std::vector<int> cells = resources::Artwork().Cells(id);
        EXPECT_EQ(std::accumulate(cells.begin(), cells.end(), 0), width) << id;
    }
    EXPECT_TRUE(resources::Artwork().Cells(IDB_FRAME).empty());
    EXPECT_TRUE(resources::Artwork().Cells(IDB_UPDATE_FRAME).empty());
}

} // namespace
