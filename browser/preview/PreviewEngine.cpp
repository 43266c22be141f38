#include "browser/BrowserEngine.h"
#include "browser/preview/PreviewBrowser.h"

namespace browser {

std::unique_ptr<IBrowser> CreateEngine(HWND container) {
    return std::make_unique<PreviewBrowser>(container);
}

} // namespace browser
