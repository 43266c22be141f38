#include "forms/PictureJob.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

// What drawing the pixel onto an empty premultiplied surface gives.
std::uint32_t Premultiplied(Gdiplus::ARGB argb) {
    const std::uint32_t alpha = argb >> 24;
    std::uint32_t result = alpha << 24;
    for (int shift : {16, 8, 0}) {
        result |= (((argb >> shift) & 0xFFu) * alpha + 127) / 255 << shift;
    }
    return result;
}

bool Near(std::uint32_t a, std::uint32_t b) {
    for (int shift : {24, 16, 8, 0}) {
        const int difference =
            static_cast<int>((a >> shift) & 0xFFu) - static_cast<int>((b >> shift) & 0xFFu);
        if (difference < -1 || difference > 1) {
            return false;
        }
    }
    return true;
}

TEST(PictureJob, DrawsOnAWorkerThePicturePremultipliedForTheLayeredWindow) {
    forms::PngResource png;
    forms::LayeredPicture surface;
    forms::PictureJob(IDR_PNG_SPLASH, L"PNG").Take(png, surface);
    ASSERT_EQ(surface.Width(), 356);
    ASSERT_EQ(surface.Height(), 122);
    auto* bitmap = static_cast<forms::GpBitmap*>(png.Image());
    int opaque = 0;
    int clear = 0;
    int wrong = 0;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            Gdiplus::ARGB argb = 0;
            forms::GdipBitmapGetPixel(bitmap, x, y, &argb);
            const std::uint32_t alpha = argb >> 24;
            opaque += alpha == 255 ? 1 : 0;
            clear += alpha == 0 ? 1 : 0;
            wrong += Near(surface.PixelAt(x, y), Premultiplied(argb)) ? 0 : 1;
        }
    }
    EXPECT_GT(opaque, 0);
    EXPECT_GT(clear, 0) << "the rounded corners are see-through";
    EXPECT_EQ(wrong, 0);
}

TEST(PictureJob, AJobNeverTakenWaitsForItsWorkerAndLetsGo) {
    for (int i = 0; i < 3; ++i) {
        forms::PictureJob job(IDR_PNG_SPLASH, L"PNG");
    }
    forms::PngResource png;
    forms::LayeredPicture surface;
    forms::PictureJob(IDR_PNG_LOGIN, L"PNG").Take(png, surface);
    EXPECT_EQ(surface.Width(), 1237);
}

} // namespace
