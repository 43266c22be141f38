#pragma once

#include "forms/Handles.h"

#include <windows.h>

#include <memory>

namespace forms {

// Artwork pixels of this colour are see-through where the picture is used.
constexpr COLORREF kArtKey = RGB(255, 0, 255);

class ArtworkCatalogue;

// The program's artwork catalogue, installed once at start; without one,
// every bitmap is one picture with no larger drawing.
void InstallArtwork(const ArtworkCatalogue* catalogue);
// The catalogue's twice-size id for `id`, 0 when there is none.
unsigned TwiceSizeArtwork(unsigned id);

// A bitmap resource at the DPI (0: the screen's), scaled once here with the
// key colour kept exact; null when the program has no such bitmap.
GdiBitmap LoadArtwork(WORD id, COLORREF key = kArtKey, int dpi = 0);

// A bitmap picture a control shows, with the size a picture reports.
class Picture {
public:
    // At the DPI (LoadArtwork); nullptr without such a resource.
    static std::shared_ptr<Picture> FromResource(WORD id, COLORREF key = kArtKey, int dpi = 0);
    static std::shared_ptr<Picture> FromBitmap(GdiBitmap&& bitmap) {
        return Adopt(bitmap.release());
    }
    // A copy of what the DC shows in (0, 0, width, height).
    static std::shared_ptr<Picture> CopyOf(HDC dc, int width, int height);

    HBITMAP Bitmap() const { return bitmap_.get(); }
    int Width() const { return width_; }   // pixels
    int Height() const { return height_; } // pixels
    double HimetricWidth() const;
    double HimetricHeight() const;
    // The resource it came from, 0 for any other picture.
    WORD ResourceId() const { return resourceId_; }

private:
    Picture(HBITMAP bitmap, WORD resourceId);
    // Inline above so that callers' emptied owners cost nothing.
    static std::shared_ptr<Picture> Adopt(HBITMAP bitmap);

    GdiBitmap bitmap_;
    int width_ = 0;
    int height_ = 0;
    WORD resourceId_ = 0;
};

using PicturePtr = std::shared_ptr<Picture>;

// Copies a rectangle of the picture onto a device context, stretched when
// the sizes differ. All lengths are twips.
void PaintPicture(HDC target, const Picture& picture, double x, double y, double width,
                  double height, double sourceX, double sourceY, double sourceWidth,
                  double sourceHeight);

} // namespace forms
