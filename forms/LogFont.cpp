#include "forms/LogFont.h"

#include <cwchar>

namespace forms {

LOGFONTW LogFontOf(const StoredFont& font, int dpi) {
    LOGFONTW result{};
    result.lfHeight = FontHeightOf(font.points, dpi);
    result.lfWeight = font.weight;
    result.lfItalic = font.italic ? TRUE : FALSE;
    result.lfUnderline = font.underline ? TRUE : FALSE;
    result.lfStrikeOut = font.strikeout ? TRUE : FALSE;
    result.lfCharSet = static_cast<BYTE>(font.charset);
    wcsncpy(result.lfFaceName, font.face.c_str(), LF_FACESIZE - 1);
    return result;
}

StoredFont StoredFontOf(const LOGFONTW& font, int dpi) {
    StoredFont result;
    result.face = font.lfFaceName;
    result.points = PointsOf(font.lfHeight, dpi);
    result.weight = static_cast<int>(font.lfWeight);
    result.italic = font.lfItalic != FALSE;
    result.underline = font.lfUnderline != FALSE;
    result.strikeout = font.lfStrikeOut != FALSE;
    result.charset = font.lfCharSet;
    return result;
}

} // namespace forms
