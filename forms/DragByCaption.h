#pragma once

#include <windows.h>

namespace forms {

// Starts the system's move of `window` as if its caption had been pressed,
// so a borderless window drags from any spot that calls this on a press.
void DragByCaption(HWND window);

} // namespace forms
