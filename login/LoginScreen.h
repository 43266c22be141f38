#pragma once

namespace login {

// The login screen (background and browser window together) as the page
// commands and the main window act on it.
class LoginScreen {
public:
    virtual ~LoginScreen() = default;
    // Unloads both login windows; does nothing when they are not loaded.
    virtual void Close() = 0;
    virtual void Minimize() = 0;
    // Shows the login windows, loading them anew when they are not loaded.
    virtual void Show() = 0;
};

// The login windows bind themselves here; nullptr unbinds. Without a
// binding the calls below do nothing.
void BindLoginScreen(LoginScreen* screen);
void CloseLoginScreen();
void MinimizeLoginScreen();
void ShowLoginScreen();

} // namespace login
