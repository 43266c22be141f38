#include "forms/DragByCaption.h"

namespace forms {

void DragByCaption(HWND window) {
    // The press captured the mouse; the move loop needs it back.
    ReleaseCapture();
    SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

} // namespace forms
