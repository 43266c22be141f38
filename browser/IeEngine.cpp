#include "browser/BrowserEngine.h"
#include "browser/IeBrowser.h"

namespace browser {

std::unique_ptr<IBrowser> CreateEngine(HWND container) {
    return IeBrowser::Create(container);
}

} // namespace browser
