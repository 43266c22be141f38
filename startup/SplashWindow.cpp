#include "startup/SplashWindow.h"

#include "startup/LoadFrm.h"

void SplashWindow::Bind() {
    static SplashWindow splash;
    login::BindSplashScreen(&splash);
}

bool SplashWindow::TakeLoginPicture(PngResource& png, LayeredPicture& picture) {
    return LoadFrm::Exists() && LoadFrm::Instance().TakeLoginPicture(png, picture);
}

void SplashWindow::Close() {
    LoadFrm::UnloadIfLoaded();
}
