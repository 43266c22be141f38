#pragma once

#include "forms/Handles.h"

#include <windows.h>

namespace forms {

// The executable's icon resource at the size the system gives its small
// (ICON_SMALL) or large (ICON_BIG) window icons at the screen's scale,
// scaled once: from the nearest larger image (LoadIconWithScaleDown where
// the common controls have it), never from a size already scaled.
IconHandle LoadWindowIcon(WORD id, WPARAM which);

} // namespace forms
