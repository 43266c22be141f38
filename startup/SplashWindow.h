#pragma once

#include "login/SplashScreen.h"

// The start-up window as the login windows' splash screen.
class SplashWindow final : public login::SplashScreen {
public:
    // Binds the one instance as the program's splash screen.
    static void Bind();

    bool TakeLoginPicture(PngResource& png, LayeredPicture& picture) override;
    void Close() override;
};
