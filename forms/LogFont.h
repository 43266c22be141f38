#pragma once

#include "forms/StoredFont.h"
#include "forms/Units.h"

#include <windows.h>

namespace forms {

// Sizes in points are drawn at the screen's DPI.
LOGFONTW LogFontOf(const StoredFont& font, int dpi = ScreenDpi());
StoredFont StoredFontOf(const LOGFONTW& font, int dpi = ScreenDpi());

} // namespace forms
