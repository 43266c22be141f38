#include "forms/Picture.h"

#include "forms/core/ArtworkCatalogue.h"
#include "forms/core/KeyedScale.h"
#include "forms/core/Units.h"

#include <cstring>

namespace forms {
namespace {

PixelImage PixelsOf(HBITMAP bitmap) {
    PixelImage image;
    BITMAP header{};
    if (GetObjectW(bitmap, sizeof header, &header) == 0) {
        return image;
    }
    const int height = header.bmHeight < 0 ? -header.bmHeight : header.bmHeight;
    BITMAPINFO info = TopDown32(header.bmWidth, height);
    image.pixels.resize(static_cast<std::size_t>(header.bmWidth) * height);
    const WindowDc screen(nullptr);
    if (GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), image.pixels.data(), &info,
                  DIB_RGB_COLORS) != height) {
        image.pixels.clear();
        return image;
    }
    image.width = header.bmWidth;
    image.height = height;
    return image;
}

GdiBitmap BitmapOf(const PixelImage& image) {
    const BITMAPINFO info = TopDown32(image.width, image.height);
    void* bits = nullptr;
    GdiBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && bits != nullptr) {
        std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof image.pixels[0]);
    }
    return bitmap;
}

const ArtworkCatalogue* installedArtwork = nullptr;

} // namespace

void InstallArtwork(const ArtworkCatalogue* catalogue) {
    installedArtwork = catalogue;
}

unsigned TwiceSizeArtwork(unsigned id) {
    return installedArtwork != nullptr ? installedArtwork->TwiceSize(id) : 0;
}

GdiBitmap LoadArtwork(WORD id, COLORREF key, int dpi) {
    // Some systems make no DIB section of a run-length encoded bitmap (the
    // updater's skins); a plain bitmap holds it.
    auto load = [](int resourceId) {
        const auto with = [resourceId](UINT flags) {
            return GdiBitmap(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                             MAKEINTRESOURCEW(resourceId),
                                                             IMAGE_BITMAP, 0, 0, flags)));
        };
        GdiBitmap bitmap = with(LR_CREATEDIBSECTION);
        return bitmap ? std::move(bitmap) : with(0);
    };
    const int at = dpi != 0 ? dpi : ScreenDpi();
    if (at == kDesignDpi) {
        return load(id);
    }
    // Above 96 DPI, from a twice-as-large drawing where there is one: finer edges.
    const unsigned twice = at > kDesignDpi ? TwiceSizeArtwork(id) : 0;
    GdiBitmap bitmap = twice != 0 ? load(static_cast<int>(twice)) : GdiBitmap();
    const int sourceScale = bitmap ? 2 : 1;
    if (!bitmap) {
        bitmap = load(id);
    }
    const PixelImage source = PixelsOf(bitmap.get());
    if (source.pixels.empty()) {
        return GdiBitmap();
    }
    const std::vector<int> cells =
        installedArtwork != nullptr ? installedArtwork->Cells(id) : std::vector<int>();
    const std::uint32_t rgbKey = (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
    return BitmapOf(ScaleArtwork(source, cells, rgbKey, sourceScale, at));
}

Picture::Picture(HBITMAP bitmap, WORD resourceId) : bitmap_(bitmap), resourceId_(resourceId) {
    BITMAP info{};
    if (GetObjectW(bitmap, sizeof info, &info) != 0) {
        width_ = info.bmWidth;
        height_ = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    }
}

std::shared_ptr<Picture> Picture::FromResource(WORD id, COLORREF key, int dpi) {
    GdiBitmap bitmap = LoadArtwork(id, key, dpi);
    if (!bitmap) {
        return nullptr;
    }
    return std::shared_ptr<Picture>(new Picture(bitmap.release(), id));
}

std::shared_ptr<Picture> Picture::Adopt(HBITMAP bitmap) {
    return std::shared_ptr<Picture>(new Picture(bitmap, 0));
}

std::shared_ptr<Picture> Picture::CopyOf(HDC dc, int width, int height) {
    const MemoryDc target(CreateCompatibleDC(dc));
    GdiBitmap bitmap(CreateCompatibleBitmap(dc, width > 0 ? width : 1, height > 0 ? height : 1));
    {
        const SelectedObject selection(target.get(), bitmap.get());
        BitBlt(target.get(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    }
    return Adopt(bitmap.release());
}

void PaintPicture(HDC target, const Picture& picture, double x, double y, double width,
                  double height, double sourceX, double sourceY, double sourceWidth,
                  double sourceHeight) {
    MemoryDc source(CreateCompatibleDC(target));
    SelectedObject selection(source.get(), picture.Bitmap());
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, TwipsToPixels(x), TwipsToPixels(y), TwipsToPixels(width),
               TwipsToPixels(height), source.get(), TwipsToPixels(sourceX), TwipsToPixels(sourceY),
               TwipsToPixels(sourceWidth), TwipsToPixels(sourceHeight), SRCCOPY);
}

double Picture::HimetricWidth() const {
    return width_ * HimetricPerPixel();
}
double Picture::HimetricHeight() const {
    return height_ * HimetricPerPixel();
}

} // namespace forms
