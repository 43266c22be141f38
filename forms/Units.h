#pragma once

#include <string>

// Lengths on windows and controls are twips; picture sizes arrive in HIMETRIC.
namespace forms {

constexpr int kTwipsPerPixel = 15;
constexpr double kHimetricPerPixel = 26.45836;

// Rounds to the nearest integer, halves to the even neighbour.
long RoundHalfEven(double value);

constexpr int PixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}
int TwipsToPixels(double twips);
int HimetricToPixels(double himetric);

// A number as a designer's text file writes it: six significant digits, no
// trailing zeros ("10.5", "9", "1e+07").
std::wstring DecimalText(double value);

} // namespace forms
