#pragma once

#include "login/LoginScreen.h"

namespace login {

// The login screen as the two login windows make it up: closing and
// minimising act on the background window, which takes the browser window
// with it; showing it again loads the login page anew, or brings an open
// one to the front.
class LoginWindows final : public LoginScreen {
public:
    // Binds the one instance as the login screen of the program.
    static void Bind();

    void Close() override;
    void Minimize() override;
    void Show() override;
};

} // namespace login
