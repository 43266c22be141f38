#pragma once

#include "forms/ComPtr.h"
#include "forms/Gdiplus.h"
#include "forms/Handles.h"

namespace forms {

// A PNG picture decoded from one of the program's custom resources. GDI+
// may read the stream again while the image lives, so the stream and its
// memory are kept and released after the image.
class PngResource {
public:
    PngResource() = default;
    PngResource(PngResource&&) = default;
    // Lets go of the picture it held in reverse order first.
    PngResource& operator=(PngResource&& other) noexcept;
    ~PngResource() { Reset(); }

    forms::GpImage* Image() const { return image_.get(); }
    UINT Width() const;
    UINT Height() const;
    // Pixels to a design pixel: 2 for a picture drawn twice as large.
    int Scale() const { return scale_; }
    // The image, then the stream, then the memory under it.
    void Reset();

private:
    friend PngResource LoadPngResource(WORD id, const wchar_t* type);

    forms::GlobalMemory memory_;
    forms::ComPtr<IStream> stream_;
    forms::GpImagePtr image_;
    int scale_ = 1;
};

// Reads the custom resource of that type and id and decodes it; an empty
// picture (size 0 × 0) when it is missing or undecodable. Above 96 DPI the
// picture drawn twice as large is taken where the program has one.
PngResource LoadPngResource(WORD id, const wchar_t* type);

} // namespace forms
