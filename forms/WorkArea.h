#pragma once

#include "forms/core/Rect.h"
#include "forms/core/WorkAreaRules.h"

#include <windows.h>

namespace forms {

// The work areas of the monitors: each monitor less its taskbars and docked
// bars, in screen pixels. Tests put a desktop of their own in place (the
// host's workAreas), since a virtual display has no taskbar; without one the
// system answers.
class WorkAreaSource {
public:
    virtual ~WorkAreaSource() = default;
    virtual forms::Rect OfWindow(HWND window) const = 0;
    virtual forms::Rect AtPoint(POINT point) const = 0;
    // The whole monitor the window is on, with its auto-hide taskbars.
    virtual WorkAreaRules::Monitor MonitorOfWindow(HWND window) const = 0;
};

// The work area of the monitor the window is on (the nearest one when it is
// on none).
forms::Rect WorkAreaOfWindow(HWND window);
// That monitor as a whole.
WorkAreaRules::Monitor MonitorOfWindow(HWND window);
// The work area of the monitor that holds the pointer.
forms::Rect WorkAreaAtCursor();
// Moves a top-level window, keeping its size, to the centre of a work area.
void CentreInWorkArea(HWND window, const forms::Rect& work);

} // namespace forms
