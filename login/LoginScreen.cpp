#include "login/LoginScreen.h"

#include "forms/core/Binding.h"

namespace login {

using Bound = forms::Binding<LoginScreen>;

void BindLoginScreen(LoginScreen* screen) {
    Bound::Bind(screen);
}

void CloseLoginScreen() {
    Bound::Call([](LoginScreen& screen) { screen.Close(); });
}

void MinimizeLoginScreen() {
    Bound::Call([](LoginScreen& screen) { screen.Minimize(); });
}

void ShowLoginScreen() {
    Bound::Call([](LoginScreen& screen) { screen.Show(); });
}

} // namespace login
