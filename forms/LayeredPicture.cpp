#include "forms/LayeredPicture.h"

#include "forms/PngResource.h"
#include "forms/core/Units.h"

#include <utility>

namespace forms {

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

// The picture's pixels converted straight into the surface as premultiplied
// alpha: what drawing it 1:1 onto the empty surface gives, in one pass.
bool CopyPremultiplied(forms::GpImage* image, void* bits, int width, int height) {
    Gdiplus::ImageType type = Gdiplus::ImageTypeUnknown;
    if (image == nullptr || forms::GdipGetImageType(image, &type) != Gdiplus::Ok ||
        type != Gdiplus::ImageTypeBitmap) {
        return false;
    }
    auto* bitmap = static_cast<forms::GpBitmap*>(image);
    Gdiplus::BitmapData data{};
    data.Width = static_cast<UINT>(width);
    data.Height = static_cast<UINT>(height);
    data.Stride = width * 4;
    data.PixelFormat = PixelFormat32bppPARGB;
    data.Scan0 = bits;
    const Gdiplus::Rect whole(0, 0, width, height);
    if (forms::GdipBitmapLockBits(bitmap, &whole,
                                  Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                                  PixelFormat32bppPARGB, &data) != Gdiplus::Ok) {
        return false;
    }
    forms::GdipBitmapUnlockBits(bitmap, &data);
    return true;
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
    dib_.reset();
    bits_ = nullptr;
    width_ = 0;
    height_ = 0;
}

LayeredPicture& LayeredPicture::operator=(LayeredPicture&& other) noexcept {
    if (this != &other) {
        Release();
        dib_ = std::move(other.dib_);
        surface_ = std::move(other.surface_);
        graphics_ = std::move(other.graphics_);
        bits_ = std::exchange(other.bits_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
    }
    return *this;
}

LayeredPicture DrawLayeredPng(const PngResource& png, int dpi) {
    LayeredPicture picture;
    const int at = dpi != 0 ? dpi : forms::ScreenDpi();
    const bool scaled = at != forms::kDesignDpi || png.Scale() != 1;
    picture.width_ = static_cast<int>(png.Width());
    picture.height_ = static_cast<int>(png.Height());
    if (scaled) {
        picture.width_ = forms::ScalePixelsAt(picture.width_ / png.Scale(), at);
        picture.height_ = forms::ScalePixelsAt(picture.height_ / png.Scale(), at);
    }
    // Compatible with the screen, as every top-level window is.
    forms::MemoryDc dc(CreateCompatibleDC(nullptr));

    // A top-down 32-bit DIB: GDI+ draws premultiplied alpha straight into
    // it, which is what UpdateLayeredWindow wants with AC_SRC_ALPHA.
    const BITMAPINFO info = forms::TopDown32(picture.width_, picture.height_);
    void* bits = nullptr;
    forms::GdiBitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) {
        return picture;
    }
    picture.bits_ = static_cast<const std::uint32_t*>(bits);
    picture.dib_ = forms::BitmapDc(std::move(dc), std::move(bitmap));

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
    } else if (graphics != nullptr &&
               !CopyPremultiplied(png.Image(), bits, picture.width_, picture.height_)) {
        forms::GdipDrawImageRectI(graphics, png.Image(), 0, 0, picture.width_, picture.height_);
        forms::GdipFlush(graphics, Gdiplus::FlushIntentionSync);
    }
    return picture;
}

void PushLayered(HWND window, const LayeredPicture& picture) {
    if (picture.bits_ == nullptr) {
        return; // nothing was drawn: the window stays as it is
    }
    forms::WindowDc windowDc(window);
    SIZE size{picture.width_, picture.height_};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(window, windowDc.get(), nullptr, &size, picture.dib_.get(), &source, 0,
                        &blend, ULW_ALPHA);
}

LayeredPicture ShowLayeredPng(HWND window, const PngResource& png) {
    LayeredPicture picture = DrawLayeredPng(png);
    PushLayered(window, picture);
    return picture;
}

} // namespace forms
