#include "browser/BrowserEngine.h"
#include "browser/IeBrowser.h"
#include "browser/UrlSecurity.h"

namespace browser {

std::unique_ptr<IBrowser> CreateEngine(HWND container) {
    // Before the first control exists, once: the settings are the process's.
    static const bool locked = LockDownUrlSecurity();
    static_cast<void>(locked);
    return std::make_unique<IeBrowser>(container);
}

} // namespace browser
