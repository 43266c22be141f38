#pragma once

#include "forms/Handles.h"

#include <windows.h>

namespace forms {

// What a window has drawn on itself, kept in memory the size of its client
// area and copied to the screen on every repaint.
class PersistentSurface {
public:
    HDC dc() const { return dc_.get(); }
    explicit operator bool() const { return static_cast<bool>(dc_); }
    // A new, empty picture of the window's client size.
    void Resize(HWND window);
    // The WM_PAINT answer: copies the damaged part to the window.
    void Paint(HWND window) const;

private:
    MemoryDc dc_;
    GdiBitmap bitmap_;
    SelectedObject selection_;
};

} // namespace forms
