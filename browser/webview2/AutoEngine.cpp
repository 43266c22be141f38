#include "browser/BrowserEngine.h"
#include "browser/IeBrowser.h"
#include "browser/webview2/WebView2Browser.h"
#include "browser/webview2/WebView2Runtime.h"

namespace browser {

// WebView2 when the process found a runtime at its first page, the
// platform's control otherwise; the choice holds for the whole run.
std::unique_ptr<IBrowser> CreateEngine(HWND container) {
    if (const WebView2Runtime* runtime = WebView2Runtime::OfProcess()) {
        return std::make_unique<WebView2Browser>(container, runtime);
    }
    return IeBrowser::Create(container);
}

} // namespace browser
