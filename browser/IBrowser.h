#pragma once

#include "browser/core/ExternalUrl.h"
#include "browser/core/Navigation.h"
#include "browser/core/NewWindowGate.h"
#include "forms/core/Event.h"

#include <windows.h>

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>

namespace browser {

// The embedded web browser as every window of the client sees it. Engines
// (the platform's control, the preview) implement it; windows never name an
// engine. Events arrive on the user-interface thread, each through the
// callback boundary.
class IBrowser {
public:
    virtual ~IBrowser() = default;

    virtual void Navigate(const std::wstring& url) = 0;
    virtual void Refresh() = 0;
    // True keeps the page from raising dialog boxes of its own.
    virtual void SetSilent(bool silent) = 0;
    // Pixels in the container's client area; the browser may be larger than
    // its container and offset into it: the container clips it.
    virtual void Move(int left, int top, int width, int height) = 0;
    virtual HWND Window() const = 0;

    // The current top-level document; all answer "nothing" without one.
    virtual std::size_t RootInnerHtmlLength() const = 0;
    virtual std::wstring DocumentUrl() const = 0;
    // The root element's style property "overflow" ("hidden": no scroll bars),
    // applied again to the document a reload brings.
    virtual void SetRootOverflow(const std::wstring& value) = 0;
    // What the document's oncontextmenu answers: false shows no menu.
    virtual void SetContextMenuAnswer(bool allow) = 0;
    // As if the page asked for a new window at url: the engine's own gate
    // for new windows decides, and NewWindow is raised when it lets it by.
    virtual void OfferNewWindow(const std::wstring& url, bool userAsked) = 0;

    // Before every navigation, top document and frames, that the engine's
    // navigation policy lets through (NavigationRoute); Cancel stops it. An
    // "app:" address comes with the page's documents and is cancelled
    // whatever the handlers answer.
    forms::Event<Navigation, bool& /*cancel*/> BeforeNavigate2;
    // A document or frame has loaded.
    forms::Event<std::wstring /*url*/> DocumentComplete;
    forms::Event<> DownloadBegin;
    forms::Event<std::wstring /*title*/> TitleChange;
    // The user asked the page for a new window (script pop-ups never come
    // here), at most one a second; the engine opens none itself.
    forms::Event<std::wstring /*url*/, bool& /*processed*/> NewWindow;
    // A navigation failed; topLevel says whether it was the top document's.
    forms::Event<std::wstring /*url*/, bool /*topLevel*/, NavigationFailure> NavigateError;

protected:
    // A navigation asked for when the engine had no page to go to fails as a
    // real one would: later, from the loop, the oldest first.
    void ReportFirstFailure(std::deque<std::wstring>& failed) {
        if (failed.empty()) {
            return;
        }
        const std::wstring url = failed.front();
        failed.pop_front();
        NavigateError(url, true, NavigationFailure::NoPage);
    }
};

// A page's request for a new window at url: raises browser's NewWindow when
// the address may leave for the default browser and the gate lets it by;
// only such an address counts against the rate. No window is ever opened,
// whatever the owner answers.
inline void OfferThroughGate(IBrowser& browser, NewWindowGate& gate, const std::wstring& url,
                             bool userAsked) {
    if (IsForDefaultBrowser(url) && gate.Allow(userAsked, GetTickCount64())) {
        bool processed = false;
        browser.NewWindow(url, processed);
    }
}

// The engine this build ships (CMake's TAVRIN_BROWSER_ENGINE), placed as a
// child of container, unless the host has a factory (forms::Host::Put).
std::unique_ptr<IBrowser> CreateBrowser(HWND container);

// Tests put an engine of their own in the host.
using BrowserFactory = std::function<std::unique_ptr<IBrowser>(HWND container)>;

} // namespace browser
