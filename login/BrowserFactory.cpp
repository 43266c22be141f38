#include "login/IBrowser.h"

#include <utility>

namespace login {

namespace {
BrowserFactory& Installed() {
    static BrowserFactory factory;
    return factory;
}
} // namespace

void SetBrowserFactory(BrowserFactory factory) {
    Installed() = std::move(factory);
}

std::unique_ptr<IBrowser> CreateBrowser(HWND container) {
    if (Installed()) {
        return Installed()(container);
    }
#ifdef TAVRIN_PREVIEW_ENGINE
    return CreatePreviewBrowser(container);
#else
    return CreateIeBrowser(container);
#endif
}

} // namespace login
