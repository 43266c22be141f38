#pragma once

#include "forms/StoredFont.h"

#include <windows.h>

namespace forms {

// The screen's dots per inch, vertically: what a size in points is drawn at.
int ScreenDpi();
LOGFONTW LogFontOf(const StoredFont& font, int dpi = ScreenDpi());
StoredFont StoredFontOf(const LOGFONTW& font, int dpi = ScreenDpi());

} // namespace forms
