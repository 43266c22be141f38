#include "browser/BrowserEngine.h"
#include "browser/IBrowser.h"
#include "forms/Host.h"

#include <utility>

namespace browser {

std::unique_ptr<IBrowser> CreateBrowser(HWND container) {
    if (const BrowserFactory* factory = forms::Host::Current().Find<const BrowserFactory>()) {
        return (*factory)(container);
    }
    return CreateEngine(container);
}

} // namespace browser
