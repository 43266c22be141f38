#include "login/SplashScreen.h"

namespace login {

namespace {
SplashScreen* bound = nullptr;
} // namespace

void BindSplashScreen(SplashScreen* splash) {
    bound = splash;
}

void UnbindSplashScreen(const SplashScreen* splash) {
    if (bound == splash) {
        bound = nullptr;
    }
}

bool TakeSplashLoginPicture(PngResource& png, LayeredPicture& picture) {
    return bound != nullptr && bound->TakeLoginPicture(png, picture);
}

void CloseSplashScreen() {
    if (bound != nullptr) {
        bound->Close();
    }
}

} // namespace login
