#pragma once

#include "forms/LayeredPicture.h"
#include "forms/PngResource.h"

namespace login {

// The start-up window as the login windows reach it: they take the picture
// it drew for them and close it once they show.
class SplashScreen {
public:
    virtual ~SplashScreen() = default;
    // The login background drawn on the splash's worker; false when the
    // splash is gone or started no such work.
    virtual bool TakeLoginPicture(forms::PngResource& png, forms::LayeredPicture& picture) = 0;
    // Unloads the splash; does nothing when it is not loaded.
    virtual void Close() = 0;
};

// The splash binds itself here; unbinding takes only that splash away. Without a binding the calls
// below do nothing and there is no picture to take.
void BindSplashScreen(SplashScreen* splash);
void UnbindSplashScreen(const SplashScreen* splash);
bool TakeSplashLoginPicture(forms::PngResource& png, forms::LayeredPicture& picture);
void CloseSplashScreen();

} // namespace login
