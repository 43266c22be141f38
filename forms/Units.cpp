#include "forms/Units.h"

#include <cmath>
#include <cwchar>

namespace forms {

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

int TwipsToPixels(double twips) {
    return static_cast<int>(RoundHalfEven(twips / kTwipsPerPixel));
}

int HimetricToPixels(double himetric) {
    return static_cast<int>(RoundHalfEven(himetric / kHimetricPerPixel));
}

std::wstring DecimalText(double value) {
    wchar_t text[32] = {};
    std::swprintf(text, sizeof text / sizeof *text, L"%g", value);
    return text;
}

} // namespace forms
