#include "forms/Handles.h"
#include "forms/LayeredPicture.h"
#include "forms/Picture.h"
#include "forms/PngResource.h"
#include "forms/core/KeyedScale.h"
#include "forms/core/Units.h"
#include "login/LoginFrm.h"
#include "resources/Artwork.h"
#include "resources/resource.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The artwork the client loads at 144 and 168 DPI: half and three quarters
// as large again, its key colour still exact.
namespace {

class ArtworkAtDpi : public testing::TestWithParam<int> {
protected:
    void SetUp() override { ASSERT_TRUE(forms::SetScreenDpi(GetParam())); }
    void TearDown() override { forms::SetScreenDpi(forms::kDesignDpi); }
};

INSTANTIATE_TEST_SUITE_P(HighScales, ArtworkAtDpi, testing::Values(144, 168));

// 0x00RRGGBB, rows top to bottom.
std::vector<std::uint32_t> PixelsOf(HBITMAP bitmap, int width, int height) {
    BITMAPINFO info = forms::TopDown32(width, height);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (auto& pixel : pixels) {
        pixel &= 0xFFFFFF;
    }
    return pixels;
}

TEST_P(ArtworkAtDpi, ButtonStripsTakeTheScaledSizeWithExactKeyCorners) {
    const forms::PicturePtr strip = forms::Picture::FromResource(IDB_OTHER_USER);
    ASSERT_TRUE(strip);
    const int frame = forms::ScaleDesignPixels(99);
    ASSERT_EQ(strip->Width(), 3 * frame);
    ASSERT_EQ(strip->Height(), forms::ScaleDesignPixels(22));
    const auto pixels = PixelsOf(strip->Bitmap(), strip->Width(), strip->Height());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(pixels[static_cast<std::size_t>(i * frame)], 0xFF00FFu) << "cut corner " << i;
    }
    for (std::uint32_t pixel : pixels) {
        const bool nearKey =
            (pixel >> 16) >= 160 && (pixel & 0xFF) >= 160 && ((pixel >> 8) & 0xFF) < 100;
        ASSERT_TRUE(pixel == 0xFF00FFu || !nearKey) << std::hex << pixel;
    }
}

// Also at a scale below the system's, where the login screen is fitted to
// a small work area: from the design drawing then.
TEST_P(ArtworkAtDpi, LoginButtonsComeFromTheirTwiceAsLargeDrawingsWithTheKeyExact) {
    for (const auto& [id, size] : {std::pair{IDB_LOGIN_MINI, 28}, std::pair{IDB_LOGIN_CLOSE, 34}}) {
        const forms::PicturePtr button = forms::Picture::FromResource(id, LoginFrm::kKeyColour);
        ASSERT_TRUE(button);
        ASSERT_EQ(button->Width(), forms::ScaleDesignPixels(size));
        ASSERT_EQ(button->Height(), forms::ScaleDesignPixels(size));
        const auto pixels = PixelsOf(button->Bitmap(), button->Width(), button->Height());
        EXPECT_EQ(pixels.front(), 0xFEFEFEu);
        EXPECT_EQ(pixels.back(), 0xFEFEFEu);
        for (std::uint32_t pixel : pixels) {
            const auto darkest = std::min({pixel >> 16, (pixel >> 8) & 0xFF, pixel & 0xFF});
            ASSERT_TRUE(pixel == 0xFEFEFEu || darkest <= 240) << std::hex << pixel;
        }
        const forms::GdiBitmap twice(static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id + IDR_TWICE_SIZE),
                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        ASSERT_TRUE(twice);
        const forms::PixelImage source{2 * size, 2 * size,
                                       PixelsOf(twice.get(), 2 * size, 2 * size)};
        auto expected = forms::ScaleArtwork(source, {}, 0xFEFEFE, 2).pixels;
        for (auto& pixel : expected) {
            pixel &= 0xFFFFFF;
        }
        EXPECT_EQ(pixels, expected) << "scaled from the drawing twice as large";

        const int fitted = 79; // 1024 x 768 at 96 DPI
        const forms::PicturePtr small =
            forms::Picture::FromResource(id, LoginFrm::kKeyColour, fitted);
        ASSERT_TRUE(small);
        ASSERT_EQ(small->Width(), forms::ScalePixelsAt(size, fitted));
        const auto smallPixels = PixelsOf(small->Bitmap(), small->Width(), small->Height());
        EXPECT_EQ(smallPixels.front(), 0xFEFEFEu);
        for (std::uint32_t pixel : smallPixels) {
            const auto darkest = std::min({pixel >> 16, (pixel >> 8) & 0xFF, pixel & 0xFF});
            ASSERT_TRUE(pixel == 0xFEFEFEu || darkest <= 240) << "fitted: " << std::hex << pixel;
        }
    }
}

TEST_P(ArtworkAtDpi, TabSkinsKeepEachPieceInItsScaledCell) {
    const auto cells = forms::ScaledCells(resources::Artwork().Cells(IDB_TABS_LOW));
    const forms::GdiBitmap skin = forms::LoadArtwork(IDB_TABS_LOW);
    BITMAP header{};
    ASSERT_NE(GetObjectW(skin.get(), sizeof header, &header), 0);
    ASSERT_EQ(header.bmWidth, cells.back().left + cells.back().width);
    const int height = forms::ScaleDesignPixels(25);
    ASSERT_EQ(std::abs(header.bmHeight), height);
    const auto pixels = PixelsOf(skin.get(), header.bmWidth, height);
    auto at = [&](int x, int y) {
        return pixels[static_cast<std::size_t>(y) * header.bmWidth + x];
    };
    EXPECT_EQ(at(cells[1].left, 0), 0xFF00FFu) << "slanted end of the normal tab";
    EXPECT_NE(at(cells[1].left + cells[1].width / 2, height / 2), 0xFF00FFu);
    EXPECT_EQ(at(cells[4].left, height - 1), 0xFF00FFu) << "close pieces use the top rows";
}

TEST_P(ArtworkAtDpi, TheSplashSurfaceIsDrawnAtTheScaledSize) {
    const forms::PngResource png = forms::LoadPngResource(IDR_PNG_SPLASH, L"PNG");
    EXPECT_EQ(png.Scale(), 2) << "the splash drawn twice as large";
    EXPECT_EQ(forms::LoadPngResource(IDR_PNG_LOGIN, L"PNG").Scale(), 2)
        << "and the login background";
    HWND window = CreateWindowExW(WS_EX_LAYERED, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, nullptr, nullptr);
    forms::LayeredPicture surface = forms::ShowLayeredPng(window, png);
    const int width = forms::ScaleDesignPixels(356);
    const int height = forms::ScaleDesignPixels(122);
    EXPECT_EQ(surface.Width(), width);
    EXPECT_EQ(surface.Height(), height);
    EXPECT_EQ(surface.PixelAt(0, 0) >> 24, 0u) << "rounded corner is see-through";
    EXPECT_EQ(surface.PixelAt(width / 2, height / 2) >> 24, 255u);
    EXPECT_EQ(surface.PixelAt(width / 2, 0) >> 24, 255u) << "the edge does not fade out";
    surface.ReleaseGraphics();
    DestroyWindow(window);
}

// The updater's skins, under ids of their own, are run-length encoded and
// load with the pixels of the client's skins.
TEST(UpdaterArtwork, RunLengthEncodedSkinsLoadAsPlainBitmapsWithTheClientsPixels) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_UPDATE), L"UPDATE");
    ASSERT_NE(found, nullptr);
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"tavrin-skin-test.exe";
    const auto* bytes =
        static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, found)));
    testing_support::WriteFileBytes(path, {bytes, bytes + SizeofResource(nullptr, found)});
    const std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&FreeLibrary)> updater(
        LoadLibraryExW(path.c_str(), nullptr,
                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE),
        &FreeLibrary);
    ASSERT_NE(updater, nullptr);
    const auto load = [](HMODULE module, WORD id, UINT flags) {
        return forms::GdiBitmap(static_cast<HBITMAP>(
            LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, flags)));
    };
    for (const auto& [clientId, id] :
         {std::pair<WORD, WORD>{IDB_CLOSE, IDB_UPDATE_CLOSE}, {IDB_FRAME, IDB_UPDATE_FRAME}}) {
        const forms::GdiBitmap client =
            load(GetModuleHandleW(nullptr), clientId, LR_CREATEDIBSECTION);
        ASSERT_TRUE(client) << clientId;
        BITMAP size{};
        GetObjectW(client.get(), sizeof size, &size);
        const auto expected = PixelsOf(client.get(), size.bmWidth, size.bmHeight);
        // Some systems make no DIB section of a compressed bitmap; a plain one always works.
        const forms::GdiBitmap section = load(updater.get(), id, LR_CREATEDIBSECTION);
        const forms::GdiBitmap plain = load(updater.get(), id, 0);
        ASSERT_TRUE(plain) << id;
        EXPECT_EQ(PixelsOf(plain.get(), size.bmWidth, size.bmHeight), expected) << id;
        if (section) {
            EXPECT_EQ(PixelsOf(section.get(), size.bmWidth, size.bmHeight), expected) << id;
        }
    }
    DeleteFileW(path.c_str());
}

} // namespace
