#include "browser/BrowserEngine.h"
#include "browser/IBrowser.h"

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
    return CreateEngine(container);
}

} // namespace login
