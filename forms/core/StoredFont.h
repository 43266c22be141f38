#pragma once

#include <optional>
#include <string>

namespace forms {

// A font as a design stores it: its size in points and its character set
// kept, so that it reads back the same on any screen and system locale.
struct StoredFont {
    static constexpr int kDefaultCharset = 1; // DEFAULT_CHARSET

    std::wstring face;
    double points = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    int charset = kDefaultCharset;

    bool operator==(const StoredFont& other) const;
    bool operator!=(const StoredFont& other) const { return !(*this == other); }
};

// "face|points|weight|italic|underline|strikeout|charset"
std::wstring FontAsText(const StoredFont& font);
// Nothing for anything else.
std::optional<StoredFont> FontFromText(const std::wstring& text);

// A logical font height (negative: the characters' height) for a size in
// points, and back, at the given dots per inch.
long FontHeightOf(double points, int dpi);
double PointsOf(long height, int dpi);

} // namespace forms
