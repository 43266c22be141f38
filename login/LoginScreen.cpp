#include "login/LoginScreen.h"

namespace login {

namespace {
LoginScreen* bound = nullptr;
} // namespace

void BindLoginScreen(LoginScreen* screen) {
    bound = screen;
}

void CloseLoginScreen() {
    if (bound != nullptr) {
        bound->Close();
    }
}

void MinimizeLoginScreen() {
    if (bound != nullptr) {
        bound->Minimize();
    }
}

void ShowLoginScreen() {
    if (bound != nullptr) {
        bound->Show();
    }
}

} // namespace login
