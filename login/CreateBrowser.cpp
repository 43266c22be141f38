#include "login/IBrowser.h"

#if defined(TAVRIN_BROWSER_PREVIEW)
#include "login/PreviewBrowser.h"
#else
#include "login/IeBrowser.h"
#endif

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
#if defined(TAVRIN_BROWSER_PREVIEW)
    return std::make_unique<PreviewBrowser>(container);
#else
    return std::make_unique<IeBrowser>(container);
#endif
}

} // namespace login
