#pragma once

#include "login/GameWindow.h"

// The game window as the login screen's commands reach it: WebMainFrm.
class MainGameWindow final : public login::GameWindow {
public:
    // Binds the one instance as the program's game window.
    static void Bind();

    void Load() override;
    void Open(const std::wstring& url) override;
};
