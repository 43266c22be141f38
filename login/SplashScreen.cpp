#include "login/SplashScreen.h"

#include "forms/core/Binding.h"

namespace login {

using Bound = forms::Binding<SplashScreen>;

void BindSplashScreen(SplashScreen* splash) {
    Bound::Bind(splash);
}

void UnbindSplashScreen(const SplashScreen* splash) {
    Bound::Unbind(splash);
}

bool TakeSplashLoginPicture(forms::PngResource& png, forms::LayeredPicture& picture) {
    SplashScreen* splash = Bound::Current();
    return splash != nullptr && splash->TakeLoginPicture(png, picture);
}

void CloseSplashScreen() {
    Bound::Call([](SplashScreen& splash) { splash.Close(); });
}

} // namespace login
