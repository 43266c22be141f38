#include "forms/core/Units.h"

#include <cmath>

namespace forms {
namespace {

int screenDpi = kDesignDpi;

} // namespace

int ScreenDpi() {
    return screenDpi;
}

bool SetScreenDpi(int dpi) {
    if (dpi < kDesignDpi / 2 || dpi > kDesignDpi * 10) {
        return false;
    }
    screenDpi = dpi;
    return true;
}

int ScaleDesignPixels(int pixels) {
    return ScalePixelsAt(pixels, screenDpi);
}

int ScalePixelsAt(long pixels, int dpi) {
    return static_cast<int>(RoundHalfEven(static_cast<double>(pixels) * dpi / kDesignDpi));
}

long RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5) {
        return static_cast<long>(floor) + 1;
    }
    if (fraction < 0.5) {
        return static_cast<long>(floor);
    }
    const long lower = static_cast<long>(floor);
    return lower % 2 == 0 ? lower : lower + 1;
}

double TwipsPerPixel() {
    return static_cast<double>(kTwipsPerDesignPixel) * kDesignDpi / screenDpi;
}

double HimetricPerPixel() {
    // The design DPI keeps the constant as it is, unrounded.
    return screenDpi == kDesignDpi ? kHimetricPerPixel : kHimetricPerPixel * kDesignDpi / screenDpi;
}

double PixelsToTwips(double pixels) {
    return pixels * kTwipsPerDesignPixel * kDesignDpi / screenDpi;
}

int TwipsToPixels(double twips) {
    return TwipsToPixelsAt(twips, screenDpi);
}

int TwipsToPixelsAt(double twips, int dpi) {
    // One division, so that halves stay exact halves at every DPI.
    return static_cast<int>(RoundHalfEven(twips * dpi / (kTwipsPerDesignPixel * kDesignDpi)));
}

PixelSpan TwipsSpanToPixels(double start, double length) {
    const int first = TwipsToPixels(start);
    return {first, TwipsToPixels(start + length) - first};
}

int HimetricToPixels(double himetric) {
    return static_cast<int>(RoundHalfEven(himetric / HimetricPerPixel()));
}

} // namespace forms
