#pragma once

#include <string>

namespace login {

// The main window as the login page's load command reaches it.
class GameWindow {
public:
    virtual ~GameWindow() = default;
    // Loads the window, still hidden, when it is not loaded.
    virtual void Load() = 0;
    // Opens the address as the game's page and shows the window.
    virtual void Open(const std::wstring& url) = 0;
};

// The main window binds itself here; nullptr unbinds. Null without one.
void BindGameWindow(GameWindow* window);
GameWindow* BoundGameWindow();

} // namespace login
