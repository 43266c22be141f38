#include "browser/BrowserRelease.h"

#include "forms/Application.h"

namespace browser {

void ReleaseBrowser(std::unique_ptr<IBrowser> browser) {
    if (!browser) {
        return;
    }
    std::shared_ptr<IBrowser> held(std::move(browser));
    forms::Application::ReleaseLater([held]() mutable { held.reset(); });
}

} // namespace browser
