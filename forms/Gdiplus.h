#pragma once

#include <windows.h>
// The flat GDI+ interface needs these before it.
#include <gdiplus.h>
#include <objidl.h>

#include <memory>

namespace forms {

using namespace Gdiplus::DllExports;
using Gdiplus::GpBitmap;
using Gdiplus::GpGraphics;
using Gdiplus::GpImage;
using Gdiplus::GpImageAttributes;

// One GdiplusStartup, given back with GdiplusShutdown.
class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input; // version 1, no callback, no suppression
        Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    }
    ~GdiplusSession() { Gdiplus::GdiplusShutdown(token_); }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
    ULONG_PTR token_ = 0;
};

struct GpImageDeleter {
    void operator()(GpImage* image) const { GdipDisposeImage(image); }
};
struct GpGraphicsDeleter {
    void operator()(GpGraphics* graphics) const { GdipDeleteGraphics(graphics); }
};
struct GpImageAttributesDeleter {
    void operator()(GpImageAttributes* attributes) const { GdipDisposeImageAttributes(attributes); }
};

using GpImagePtr = std::unique_ptr<GpImage, GpImageDeleter>;
using GpGraphicsPtr = std::unique_ptr<GpGraphics, GpGraphicsDeleter>;
using GpImageAttributesPtr = std::unique_ptr<GpImageAttributes, GpImageAttributesDeleter>;

} // namespace forms
