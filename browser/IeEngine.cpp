#include "browser/BrowserEngine.h"
#include "browser/IeBrowser.h"

namespace login {

std::unique_ptr<IBrowser> CreateEngine(HWND container) {
    return std::make_unique<IeBrowser>(container);
}

} // namespace login
