#include "forms/DialogKeys.h"

namespace forms {

namespace {

constexpr LRESULT kPushButton = DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON;

} // namespace

bool TranslateDialogKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.hwnd == nullptr) {
        return false;
    }
    const WPARAM key = message.wParam;
    if ((key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE) || GetKeyState(VK_CONTROL) < 0 ||
        GetKeyState(VK_MENU) < 0) {
        return false;
    }
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (root == nullptr || !IsWindowEnabled(root)) {
        return false;
    }
    const bool onRoot = message.hwnd == root;
    if (!onRoot) {
        MSG asked = message;
        const LRESULT code =
            SendMessageW(message.hwnd, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&asked));
        if ((code & kPushButton) == 0 || (code & (DLGC_WANTMESSAGE | DLGC_WANTALLKEYS)) != 0) {
            return false;
        }
    }
    switch (key) {
    case VK_TAB: {
        // Only the top-level window's own controls: nested panes keep theirs.
        if (!onRoot && GetParent(message.hwnd) != root) {
            return false;
        }
        HWND next = GetNextDlgTabItem(root, onRoot ? nullptr : message.hwnd,
                                      GetKeyState(VK_SHIFT) < 0 ? TRUE : FALSE);
        if (next != nullptr && next != message.hwnd) {
            SetFocus(next);
        }
        return true;
    }
    case VK_RETURN:
        if (onRoot) {
            return false;
        }
        SendMessageW(message.hwnd, BM_CLICK, 0, 0);
        return true;
    default:
        SendMessageW(root, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return true;
    }
}

} // namespace forms
