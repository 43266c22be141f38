#include "browser/BrowserPage.h"

#include "browser/BrowserRelease.h"
#include "browser/core/ExternalUrl.h"
#include "forms/ShellLaunch.h"

#include <utility>

namespace browser {

bool BrowserPage::Open(HWND container) {
    Release();
    browser_ = CreateBrowser(container);
    if (!browser_) {
        return false;
    }
    IBrowser& browser = *browser_;
    connections_ += browser.DownloadBegin.Connect([&browser] { browser.SetSilent(true); });
    connections_ += browser.NewWindow.Connect([](std::wstring url, bool& processed) {
        processed = true;
        if (IsForDefaultBrowser(url)) {
            forms::ShellLaunch::Launch({L"open", url, L""});
        }
    });
    return true;
}

void BrowserPage::Release() {
    connections_.Clear();
    ReleaseBrowser(std::move(browser_));
}

} // namespace browser
