#include "mainwindow/BringForward.h"

#include "login/LoginBgFrm.h"
#include "login/LoginFrm.h"
#include "mainwindow/WebMainFrm.h"
#include "startup/LoadFrm.h"

namespace {

// The window first, then the one of its owned windows the player works in
// above it: an owned window coming forward alone may leave its owner
// behind other programs.
void Raise(HWND window, HWND active) {
    if (IsIconic(window)) {
        ShowWindow(window, SW_RESTORE);
    }
    BringWindowToTop(window);
    SetForegroundWindow(active);
}

} // namespace

void BringClientForward() {
    if (LoginBgFrm::Exists() && LoginBgFrm::Instance().Visible()) {
        const HWND background = LoginBgFrm::Instance().hWnd();
        const bool page = LoginFrm::Exists() && LoginFrm::Instance().Visible();
        Raise(background, page ? LoginFrm::Instance().hWnd() : background);
    } else if (WebMainFrm::Exists() && WebMainFrm::Instance().IsLoaded()) {
        const HWND game = WebMainFrm::Instance().hWnd();
        if (!IsWindowVisible(game)) {
            ShowWindow(game, SW_SHOW);
        }
        Raise(game, GetLastActivePopup(game));
    } else if (LoadFrm::Exists() && LoadFrm::Instance().Visible()) {
        Raise(LoadFrm::Instance().hWnd(), LoadFrm::Instance().hWnd());
    }
}
