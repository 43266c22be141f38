#include "forms/PngResource.h"

#include "forms/Picture.h"
#include "forms/core/Units.h"

#include <cstring>
#include <utility>

namespace forms {

UINT PngResource::Width() const {
    UINT width = 0;
    if (image_) {
        forms::GdipGetImageWidth(image_.get(), &width);
    }
    return width;
}

UINT PngResource::Height() const {
    UINT height = 0;
    if (image_) {
        forms::GdipGetImageHeight(image_.get(), &height);
    }
    return height;
}

void PngResource::Reset() {
    image_.reset();
    stream_.reset();
    memory_.reset();
    scale_ = 1;
}

PngResource& PngResource::operator=(PngResource&& other) noexcept {
    if (this != &other) {
        Reset();
        memory_ = std::move(other.memory_);
        stream_ = std::move(other.stream_);
        image_ = std::move(other.image_);
        scale_ = other.scale_;
    }
    return *this;
}

PngResource LoadPngResource(WORD id, const wchar_t* type) {
    PngResource png;
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = nullptr;
    const unsigned twice = forms::TwiceSizeArtwork(id);
    if (forms::ScreenDpi() > forms::kDesignDpi && twice != 0) {
        info = FindResourceW(module, MAKEINTRESOURCEW(twice), type);
        png.scale_ = info != nullptr ? 2 : 1;
    }
    if (info == nullptr) {
        info = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    }
    HGLOBAL resource = info != nullptr ? LoadResource(module, info) : nullptr;
    const void* bytes = resource != nullptr ? LockResource(resource) : nullptr;
    if (bytes == nullptr) {
        return png;
    }
    const DWORD size = SizeofResource(module, info);
    png.memory_.reset(GlobalAlloc(GMEM_FIXED, size));
    if (!png.memory_) {
        return png;
    }
    std::memcpy(GlobalLock(png.memory_.get()), bytes, size);
    if (SUCCEEDED(CreateStreamOnHGlobal(png.memory_.get(), FALSE, png.stream_.put()))) {
        forms::GpImage* image = nullptr;
        if (forms::GdipLoadImageFromStream(png.stream_.get(), &image) == Gdiplus::Ok) {
            png.image_.reset(image);
        }
    }
    GlobalUnlock(png.memory_.get());
    return png;
}

} // namespace forms
