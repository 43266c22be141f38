#include "login/IBrowser.h"

#if defined(TAVRIN_BROWSER_PREVIEW)
#include "login/PreviewBrowser.h"
#else
#include "login/IeBrowser.h"
#endif

namespace login {

std::unique_ptr<IBrowser> CreateBrowser(HWND container) {
#if defined(TAVRIN_BROWSER_PREVIEW)
    return std::make_unique<PreviewBrowser>(container);
#else
    return std::make_unique<IeBrowser>(container);
#endif
}

} // namespace login
