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
    // A fresh browser window shows both windows once its page completes.
    LoginFrm::Instance();
}

} // namespace login
