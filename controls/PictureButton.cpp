#include "controls/PictureButton.h"

#include "controls/ButtonAccessible.h"
#include "forms/CallbackBoundary.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kSubclassId = 1;

} // namespace

void PictureButton::Install(HWND picture, const wchar_t* name) {
    SetWindowSubclass(picture, &PictureButton::Procedure, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(name));
}

LRESULT CALLBACK PictureButton::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR name) {
    return forms::Guarded(
        L"PictureButton",
        [&]() -> LRESULT {
            switch (message) {
            case WM_GETOBJECT:
                if (static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT)) {
                    return ButtonAccessible::Answer(window, wParam,
                                                    reinterpret_cast<const wchar_t*>(name));
                }
                break;
            case BM_CLICK:
                // The click a static reports, so that its parent needs no second path.
                SendMessageW(GetParent(window), WM_COMMAND,
                             MAKEWPARAM(GetDlgCtrlID(window), STN_CLICKED),
                             reinterpret_cast<LPARAM>(window));
                return 0;
            case WM_NCDESTROY:
                RemoveWindowSubclass(window, &PictureButton::Procedure, kSubclassId);
                break;
            default:
                break;
            }
            return DefSubclassProc(window, message, wParam, lParam);
        },
        [&] { return DefSubclassProc(window, message, wParam, lParam); });
}
