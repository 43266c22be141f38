#include "startup/LayeredPicture.h"

#include "forms/Units.h"
#include "startup/PngResource.h"

#include <utility>

namespace {

// The picture drawn at the screen's DPI with high-quality bicubic
// filtering; its edges mirrored so that they do not fade into nothing.
void DrawScaled(forms::GpGraphics* graphics, forms::GpImage* image, int width, int height,
                UINT sourceWidth, UINT sourceHeight) {
    forms::GdipSetInterpolationMode(graphics, Gdiplus::InterpolationModeHighQualityBicubic);
    forms::GdipSetPixelOffsetMode(graphics, Gdiplus::PixelOffsetModeHighQuality);
    forms::GpImageAttributes* created = nullptr;
    forms::GdipCreateImageAttributes(&created);
    const forms::GpImageAttributesPtr attributes(created);
    if (attributes) {
        forms::GdipSetImageAttributesWrapMode(attributes.get(), Gdiplus::WrapModeTileFlipXY, 0,
                                              FALSE);
    }
    forms::GdipDrawImageRectRectI(graphics, image, 0, 0, width, height, 0, 0,
                                  static_cast<INT>(sourceWidth), static_cast<INT>(sourceHeight),
                                  Gdiplus::UnitPixel, attributes.get(), nullptr, nullptr);
}

} // namespace

std::uint32_t LayeredPicture::PixelAt(int x, int y) const {
    if (bits_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_) {
        return 0;
    }
    return bits_[static_cast<std::size_t>(y) * width_ + x];
}

void LayeredPicture::ReleaseGraphics() {
    graphics_.reset();
    surface_.reset();
}

void LayeredPicture::Release() {
    ReleaseGraphics();
    selection_.Restore();
    bitmap_.reset();
    dc_.reset();
    bits_ = nullptr;
    width_ = 0;
    height_ = 0;
}

LayeredPicture& LayeredPicture::operator=(LayeredPicture&& other) noexcept {
    if (this != &other) {
        Release();
        dc_ = std::move(other.dc_);
        bitmap_ = std::move(other.bitmap_);
        selection_ = std::move(other.selection_);
        surface_ = std::move(other.surface_);
        graphics_ = std::move(other.graphics_);
        bits_ = std::exchange(other.bits_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
    }
    return *this;
}

LayeredPicture ShowLayeredPng(HWND window, const PngResource& png) {
    LayeredPicture picture;
    const bool scaled = forms::ScreenDpi() != forms::kDesignDpi;
    picture.width_ = static_cast<int>(png.Width());
    picture.height_ = static_cast<int>(png.Height());
    if (scaled) {
        picture.width_ = forms::ScaleDesignPixels(picture.width_ / png.Scale());
        picture.height_ = forms::ScaleDesignPixels(picture.height_ / png.Scale());
    }
    forms::WindowDc windowDc(window);
    picture.dc_.reset(CreateCompatibleDC(windowDc.get()));

    // A top-down 32-bit DIB: GDI+ draws premultiplied alpha straight into
    // it, which is what UpdateLayeredWindow wants with AC_SRC_ALPHA.
    const BITMAPINFO info = forms::TopDown32(picture.width_, picture.height_);
    void* bits = nullptr;
    picture.bitmap_.reset(
        CreateDIBSection(windowDc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture.bitmap_ || bits == nullptr) {
        return picture;
    }
    picture.bits_ = static_cast<const std::uint32_t*>(bits);
    picture.selection_ = forms::SelectedObject(picture.dc_.get(), picture.bitmap_.get());

    forms::GpBitmap* surface = nullptr;
    forms::GdipCreateBitmapFromScan0(picture.width_, picture.height_, picture.width_ * 4,
                                     PixelFormat32bppPARGB, static_cast<BYTE*>(bits), &surface);
    picture.surface_.reset(surface);
    forms::GpGraphics* graphics = nullptr;
    if (surface != nullptr) {
        forms::GdipGetImageGraphicsContext(surface, &graphics);
    }
    picture.graphics_.reset(graphics);
    if (graphics != nullptr && scaled) {
        DrawScaled(graphics, png.Image(), picture.width_, picture.height_, png.Width(),
                   png.Height());
    } else if (graphics != nullptr) {
        forms::GdipDrawImageRectI(graphics, png.Image(), 0, 0, picture.width_, picture.height_);
        forms::GdipFlush(graphics, Gdiplus::FlushIntentionSync);
    }

    SIZE size{picture.width_, picture.height_};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(window, windowDc.get(), nullptr, &size, picture.dc_.get(), &source, 0,
                        &blend, ULW_ALPHA);
    return picture;
}
