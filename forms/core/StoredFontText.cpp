// A font's stored text, apart from the font itself: a program that only
// draws fonts does not link the number parsing and printing.
#include "forms/core/StoredFont.h"
#include "forms/core/Units.h"

#include <cmath>
#include <cwchar>
#include <vector>

namespace forms {

namespace {

// What a LOGFONT holds; sizes beyond any screen are refused with the rest.
constexpr double kMaxPoints = 4096;
constexpr double kMaxWeight = 1000;
constexpr double kMaxCharset = 255;

std::vector<std::wstring> Fields(const std::wstring& text) {
    std::vector<std::wstring> fields;
    std::size_t start = 0;
    for (std::size_t bar = text.find(L'|'); bar != std::wstring::npos;
         bar = text.find(L'|', start)) {
        fields.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
    fields.push_back(text.substr(start));
    return fields;
}

std::optional<double> Number(const std::wstring& field) {
    wchar_t* end = nullptr;
    const double value = std::wcstod(field.c_str(), &end);
    if (field.empty() || end != field.c_str() + field.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

bool Flag(const std::wstring& field) {
    return field == L"1";
}

bool Within(const std::optional<double>& value, double low, double high) {
    return value && *value >= low && *value <= high;
}

} // namespace

std::wstring FontAsText(const StoredFont& font) {
    auto flag = [](bool on) { return on ? L"1" : L"0"; };
    return font.face + L'|' + DecimalText(font.points) + L'|' + std::to_wstring(font.weight) +
           L'|' + flag(font.italic) + L'|' + flag(font.underline) + L'|' + flag(font.strikeout) +
           L'|' + std::to_wstring(font.charset);
}

std::optional<StoredFont> FontFromText(const std::wstring& text) {
    const std::vector<std::wstring> fields = Fields(text);
    if (fields.size() != 7) {
        return std::nullopt;
    }
    const std::optional<double> size = Number(fields[1]);
    const std::optional<double> weight = Number(fields[2]);
    const std::optional<double> charset = Number(fields[6]);
    if (fields[0].empty() || !Within(size, 0, kMaxPoints) || !Within(weight, 0, kMaxWeight) ||
        !Within(charset, 0, kMaxCharset)) {
        return std::nullopt;
    }
    StoredFont font;
    font.face = fields[0];
    font.weight = static_cast<int>(*weight);
    font.italic = Flag(fields[3]);
    font.points = std::round(*size * 100) / 100; // as PointsOf reads a height
    font.underline = Flag(fields[4]);
    font.strikeout = Flag(fields[5]);
    font.charset = static_cast<int>(*charset);
    return font;
}

} // namespace forms
