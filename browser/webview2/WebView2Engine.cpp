#include "browser/BrowserEngine.h"
#include "browser/webview2/WebView2Browser.h"
#include "browser/webview2/WebView2Runtime.h"

namespace browser {

// Without a runtime the engine still comes, and every navigation fails.
std::unique_ptr<IBrowser> CreateEngine(HWND container) {
    return std::make_unique<WebView2Browser>(container, WebView2Runtime::OfProcess());
}

} // namespace browser
