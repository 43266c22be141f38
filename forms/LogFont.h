#pragma once

#include "forms/core/StoredFont.h"
#include "forms/core/Units.h"

#include <windows.h>

namespace forms {

// A size in points is drawn at the screen's dots per inch.
LOGFONTW LogFontOf(const StoredFont& font, int dpi = ScreenDpi());
StoredFont StoredFontOf(const LOGFONTW& font, int dpi = ScreenDpi());

} // namespace forms
