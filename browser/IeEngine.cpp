#include "browser/BrowserEngine.h"
#include "browser/IeBrowser.h"

namespace browser {

std::unique_ptr<IBrowser> CreateEngine(HWND container) {
    return std::make_unique<IeBrowser>(container);
}

} // namespace browser
