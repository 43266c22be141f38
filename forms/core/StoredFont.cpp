#include "forms/core/StoredFont.h"

#include "forms/core/Units.h"

#include <cmath>

namespace forms {

namespace {

constexpr int kPointsPerInch = 72;

// To hundredths of a point, so that a size reads back as it was stored.
double Hundredths(double points) {
    return std::round(points * 100) / 100;
}

} // namespace

bool StoredFont::operator==(const StoredFont& other) const {
    return face == other.face && points == other.points && weight == other.weight &&
           italic == other.italic && underline == other.underline && strikeout == other.strikeout &&
           charset == other.charset;
}

long FontHeightOf(double points, int dpi) {
    return -RoundHalfEven(points * dpi / kPointsPerInch);
}

double PointsOf(long height, int dpi) {
    return Hundredths(std::fabs(static_cast<double>(height)) * kPointsPerInch / dpi);
}

} // namespace forms
