#pragma once

#include <string>

// Lengths on windows and controls are twips; picture sizes arrive in HIMETRIC.
namespace forms {

constexpr int kTwipsPerPixel = 15;
constexpr double kHimetricPerPixel = 26.45836;
// Design lengths in pixels assume this many dots per inch.
constexpr int kDesignDpi = 96;

// The screen's dots per inch: 96 until the shell reads the real value at start.
int ScreenDpi();
// Values outside 48-960 are refused (false) and the current value stays.
bool SetScreenDpi(int dpi);
// A length designed in 96-DPI pixels, in pixels at the screen's DPI, rounded.
int ScaleDesignPixels(int pixels);

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
