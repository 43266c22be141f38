#include "mainwindow/BringForward.h"

#include "login/LoginBgFrm.h"
#include "mainwindow/WebMainFrm.h"
#include "startup/LoadFrm.h"

namespace {

HWND CurrentWindow() {
    if (LoginBgFrm::Exists() && LoginBgFrm::Instance().Visible()) {
        return LoginBgFrm::Instance().hWnd();
    }
    if (WebMainFrm::Exists() && WebMainFrm::Instance().IsLoaded()) {
        const HWND game = WebMainFrm::Instance().hWnd();
        if (!IsWindowVisible(game)) {
            ShowWindow(game, SW_SHOW);
        }
        return game;
    }
    if (LoadFrm::Exists() && LoadFrm::Instance().Visible()) {
        return LoadFrm::Instance().hWnd();
    }
    return nullptr;
}

} // namespace

void BringClientForward() {
    const HWND window = CurrentWindow();
    if (window == nullptr) {
        return;
    }
    if (IsIconic(window)) {
        ShowWindow(window, SW_RESTORE);
    }
    SetForegroundWindow(GetLastActivePopup(window));
}
