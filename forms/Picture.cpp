#include "forms/Picture.h"

#include "forms/Units.h"

namespace forms {

Picture::Picture(HBITMAP bitmap, WORD resourceId) : bitmap_(bitmap), resourceId_(resourceId) {
    BITMAP info{};
    if (GetObjectW(bitmap, sizeof info, &info) != 0) {
        width_ = info.bmWidth;
        height_ = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    }
}

std::shared_ptr<Picture> Picture::FromResource(WORD id) {
    auto* bitmap = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap == nullptr) {
        return nullptr;
    }
    return std::shared_ptr<Picture>(new Picture(bitmap, id));
}

std::shared_ptr<Picture> Picture::FromBitmap(HBITMAP bitmap) {
    return std::shared_ptr<Picture>(new Picture(bitmap, 0));
}

std::shared_ptr<Picture> Picture::CopyOf(HDC dc, int width, int height) {
    const MemoryDc target(CreateCompatibleDC(dc));
    GdiBitmap bitmap(CreateCompatibleBitmap(dc, width > 0 ? width : 1, height > 0 ? height : 1));
    {
        const SelectedObject selection(target.get(), bitmap.get());
        BitBlt(target.get(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    }
    return FromBitmap(bitmap.release());
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
