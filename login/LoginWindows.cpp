#include "login/LoginWindows.h"

#include "login/LoginBgFrm.h"
#include "login/LoginFrm.h"

namespace login {

void LoginWindows::Bind() {
    static LoginWindows windows;
    BindLoginScreen(&windows);
}

void LoginWindows::Close() {
    LoginBgFrm::UnloadIfLoaded();
}

void LoginWindows::Minimize() {
    if (LoginBgFrm::Exists()) {
        LoginBgFrm::Instance().Minimize();
    }
}

void LoginWindows::Show() {
    if (LoginBgFrm::Exists() && LoginBgFrm::Instance().Visible()) {
        // Already open, perhaps minimised or behind the game: to the front,
        // the browser window with it as the background's owned window.
        const HWND background = LoginBgFrm::Instance().hWnd();
        if (IsIconic(background)) {
            ShowWindow(background, SW_RESTORE);
        }
        SetForegroundWindow(background);
        return;
    }
    // A fresh browser window shows both windows once its page completes.
    LoginFrm::Instance();
}

} // namespace login
