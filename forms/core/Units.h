#pragma once

#include <string>

// Lengths on windows and controls are twips; picture sizes arrive in HIMETRIC.
namespace forms {

// Design lengths in pixels assume this many dots per inch.
constexpr int kDesignDpi = 96;
// A design pixel is this many twips, and this many HIMETRIC, at every DPI.
constexpr int kTwipsPerDesignPixel = 15;
constexpr double kHimetricPerPixel = 26.45836;

// The screen's dots per inch: 96 until the shell reads the real value at start.
int ScreenDpi();
// Values outside 48-960 are refused (false) and the current value stays.
bool SetScreenDpi(int dpi);
// A length designed in 96-DPI pixels, in pixels at the screen's DPI, rounded.
int ScaleDesignPixels(int pixels);
// The same at another DPI.
int ScalePixelsAt(long pixels, int dpi);
// At the screen's DPI: 15 twips to a pixel at 96, 12 at 120, 10 at 144, 7.5 at 192.
double TwipsPerPixel();
double HimetricPerPixel();

// Rounds to the nearest integer, halves to the even neighbour.
long RoundHalfEven(double value);

// Exact: a pixel can be a fractional number of twips.
double PixelsToTwips(double pixels);
int TwipsToPixels(double twips);
int TwipsToPixelsAt(double twips, int dpi);

// A span of twips in pixels, converted by its edges: spans that meet still
// meet, and one that ends where a picture ends ends on its last pixel.
struct PixelSpan {
    int start;
    int length;
};
PixelSpan TwipsSpanToPixels(double start, double length);
int HimetricToPixels(double himetric);

// A number as a designer's text file writes it: six significant digits, no
// trailing zeros ("10.5", "9", "1e+07").
std::wstring DecimalText(double value);

} // namespace forms
