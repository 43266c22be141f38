#include "forms/PersistentSurface.h"

namespace forms {

void PersistentSurface::Resize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    selection_.Restore();
    WindowDc screen(nullptr);
    if (!dc_) {
        dc_.reset(CreateCompatibleDC(screen.get()));
    }
    bitmap_.reset(CreateCompatibleBitmap(screen.get(), r.right > 0 ? r.right : 1,
                                         r.bottom > 0 ? r.bottom : 1));
    selection_ = SelectedObject(dc_.get(), bitmap_.get());
}

void PersistentSurface::Paint(HWND window) const {
    PaintDc target(window);
    const RECT& r = target.Damaged();
    BitBlt(target.get(), r.left, r.top, r.right - r.left, r.bottom - r.top, dc_.get(), r.left,
           r.top, SRCCOPY);
}

} // namespace forms
