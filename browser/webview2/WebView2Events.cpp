// WebView2Browser's events: what the runtime raises, mapped to IBrowser's.
#include "browser/core/NavigationPolicy.h"
#include "browser/core/WebView2Rules.h"
#include "browser/webview2/ComHandler.h"
#include "browser/webview2/WebView2Browser.h"

#include <objbase.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

namespace browser {

namespace {

using StartingHandler =
    ComHandler<wv2::ICoreWebView2NavigationStartingEventHandler, wv2::ICoreWebView2*,
               wv2::ICoreWebView2NavigationStartingEventArgs*>;
using CompletedHandler =
    ComHandler<wv2::ICoreWebView2NavigationCompletedEventHandler, wv2::ICoreWebView2*,
               wv2::ICoreWebView2NavigationCompletedEventArgs*>;
using NewWindowHandler =
    ComHandler<wv2::ICoreWebView2NewWindowRequestedEventHandler, wv2::ICoreWebView2*,
               wv2::ICoreWebView2NewWindowRequestedEventArgs*>;
using TitleHandler =
    ComHandler<wv2::ICoreWebView2DocumentTitleChangedEventHandler, wv2::ICoreWebView2*, IUnknown*>;
using CloseHandler =
    ComHandler<wv2::ICoreWebView2WindowCloseRequestedEventHandler, wv2::ICoreWebView2*, IUnknown*>;
using ScriptDone = ComHandler<wv2::ICoreWebView2ExecuteScriptCompletedHandler, HRESULT, LPCWSTR>;

// A string the runtime allocated, taken and freed.
std::wstring Taken(LPWSTR text) {
    std::wstring taken = text != nullptr ? text : L"";
    CoTaskMemFree(text);
    return taken;
}

// The documents the engine knows of: the top one, and every frame address
// it saw navigated to (never fewer than the page may hold); one it could not
// keep is a frame that cannot be read.
class TrackedDocument final : public DocumentNode {
public:
    TrackedDocument(std::wstring address, const std::vector<std::wstring>* frames, bool unread)
        : address_(std::move(address)), frames_(frames), unread_(unread) {}
    std::wstring Address() const override { return address_; }
    std::size_t FrameCount() const override {
        return (frames_ ? frames_->size() : 0) + (unread_ ? 1 : 0);
    }
    std::unique_ptr<DocumentNode> Frame(std::size_t index) const override {
        if (!frames_ || index >= frames_->size()) {
            return nullptr;
        }
        return std::make_unique<TrackedDocument>((*frames_)[index], nullptr, false);
    }

private:
    std::wstring address_;
    const std::vector<std::wstring>* frames_;
    bool unread_;
};

} // namespace

void WebView2Browser::Subscribe() {
    wv2::ICoreWebView2* view = webView_.get();
    const auto watched = [this, watch = alive_.Watched()](auto body) {
        return [this, watch, body](auto sender, auto args) {
            if (watch.Alive() && sender != nullptr) {
                body(args);
            }
        };
    };
    wv2::EventRegistrationToken token = {};
    const auto starting = forms::MakeCom<StartingHandler>(
        wv2::kIidNavigationStartingHandler,
        watched([this](wv2::ICoreWebView2NavigationStartingEventArgs* args) {
            OnNavigationStarting(args, true);
        }));
    if (SUCCEEDED(view->add_NavigationStarting(starting.get(), &token))) {
        subscriptions_.push_back({&wv2::ICoreWebView2::remove_NavigationStarting, token});
    }
    const auto frames = forms::MakeCom<StartingHandler>(
        wv2::kIidNavigationStartingHandler,
        watched([this](wv2::ICoreWebView2NavigationStartingEventArgs* args) {
            OnNavigationStarting(args, false);
        }));
    if (SUCCEEDED(view->add_FrameNavigationStarting(frames.get(), &token))) {
        subscriptions_.push_back({&wv2::ICoreWebView2::remove_FrameNavigationStarting, token});
    }
    const auto completed = forms::MakeCom<CompletedHandler>(
        wv2::kIidNavigationCompletedHandler,
        watched([this](wv2::ICoreWebView2NavigationCompletedEventArgs* args) {
            OnNavigationCompleted(args);
        }));
    if (SUCCEEDED(view->add_NavigationCompleted(completed.get(), &token))) {
        subscriptions_.push_back({&wv2::ICoreWebView2::remove_NavigationCompleted, token});
    }
    const auto newWindow = forms::MakeCom<NewWindowHandler>(
        wv2::kIidNewWindowRequestedHandler,
        watched([this](wv2::ICoreWebView2NewWindowRequestedEventArgs* args) {
            OnNewWindowRequested(args);
        }));
    if (SUCCEEDED(view->add_NewWindowRequested(newWindow.get(), &token))) {
        subscriptions_.push_back({&wv2::ICoreWebView2::remove_NewWindowRequested, token});
    }
    const auto title = forms::MakeCom<TitleHandler>(
        wv2::kIidDocumentTitleChangedHandler, watched([this](IUnknown*) { OnTitleChanged(); }));
    if (SUCCEEDED(view->add_DocumentTitleChanged(title.get(), &token))) {
        subscriptions_.push_back({&wv2::ICoreWebView2::remove_DocumentTitleChanged, token});
    }
    // window.close() closes nothing: the client owns its windows.
    const auto close = forms::MakeCom<CloseHandler>(wv2::kIidWindowCloseRequestedHandler,
                                                    watched([](IUnknown*) {}));
    if (SUCCEEDED(view->add_WindowCloseRequested(close.get(), &token))) {
        subscriptions_.push_back({&wv2::ICoreWebView2::remove_WindowCloseRequested, token});
    }
}

// The one navigation policy, top document and frames alike. A page command
// is judged by the top document and every frame address seen; the engine
// cannot tell a frame's current document, so it lists more, never fewer.
void WebView2Browser::OnNavigationStarting(wv2::ICoreWebView2NavigationStartingEventArgs* args,
                                           bool topLevel) {
    if (args == nullptr) {
        return;
    }
    LPWSTR uri = nullptr;
    BOOL userInitiated = FALSE;
    Navigation navigation;
    navigation.url = SUCCEEDED(args->get_Uri(&uri)) ? Taken(uri) : L"";
    navigation.topLevel = topLevel;
    navigation.userAsked = SUCCEEDED(args->get_IsUserInitiated(&userInitiated)) && userInitiated;
    const bool allowed = RouteNavigation(navigation.url) == NavigationRoute::Allow;
    if (allowed && !topLevel) {
        if (frames_.size() < kMaxTrackedFrames) {
            frames_.push_back(navigation.url);
        } else {
            framesDroppedSince_ = true;
        }
    }
    const TrackedDocument page(Source(), &frames_, framesDroppedBefore_ || framesDroppedSince_);
    const std::wstring url = navigation.url;
    // Handlers may release the engine: it stays until this event returns.
    const bool cancelled = PassNavigation(BeforeNavigate2, std::move(navigation), false, page);
    args->put_Cancel(cancelled ? TRUE : FALSE);
    if (!cancelled && allowed && topLevel && alive_.Alive()) {
        topNavigation_ = url;
        framesOfNewDocument_ = frames_.size();
        framesDroppedBefore_ = framesDroppedBefore_ || framesDroppedSince_;
        framesDroppedSince_ = false;
        DownloadBegin();
    }
}

void WebView2Browser::OnNavigationCompleted(wv2::ICoreWebView2NavigationCompletedEventArgs* args) {
    BOOL success = FALSE;
    wv2::WebErrorStatus status = wv2::kWebErrorUnknown;
    if (args == nullptr || FAILED(args->get_IsSuccess(&success))) {
        return;
    }
    if (!success) {
        args->get_WebErrorStatus(&status);
    }
    const std::optional<NavigationFailure> failure = FailureOfWebError(success, status);
    if (!success && !failure) {
        return; // cancelled: no document came
    }
    // The document before this one, and its frames, are gone.
    frames_.erase(frames_.begin(), frames_.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                         framesOfNewDocument_, frames_.size())));
    framesOfNewDocument_ = 0;
    framesDroppedBefore_ = false;
    if (failure) {
        NavigateError(topNavigation_, true, *failure);
        if (*failure == NavigationFailure::NoPage || !alive_.Alive()) {
            return;
        }
    }
    MeasureDocument();
}

std::wstring WebView2Browser::OverflowScript() const {
    return IsCssKeyword(overflow_)
               ? L"document.documentElement&&(document.documentElement.style.overflow='" +
                     overflow_ + L"');"
               : L"";
}

// The root's style, then its size; the document counts as complete once
// the script has answered.
void WebView2Browser::MeasureDocument() {
    RunScript(OverflowScript() +
                  L"document.documentElement?document.documentElement.innerHTML.length:0",
              [this](std::wstring json) {
                  htmlLength_ = JsonCount(json).value_or(0);
                  DocumentComplete(Source());
              });
}

void WebView2Browser::RunScript(const std::wstring& script,
                                std::function<void(std::wstring)> done) {
    const auto handler =
        forms::MakeCom<ScriptDone>(wv2::kIidExecuteScriptCompleted,
                                   [done, watch = alive_.Watched()](HRESULT result, LPCWSTR json) {
                                       if (done && watch.Alive()) {
                                           done(SUCCEEDED(result) && json != nullptr ? json : L"");
                                       }
                                   });
    if (script.empty() || FAILED(webView_->ExecuteScript(script.c_str(), handler.get()))) {
        if (done) {
            done(L"");
        }
    }
}

// Never a window of the runtime's own: the user's requests go to the
// default browser through the gate, a script's are dropped.
void WebView2Browser::OnNewWindowRequested(wv2::ICoreWebView2NewWindowRequestedEventArgs* args) {
    if (args == nullptr) {
        return;
    }
    args->put_Handled(TRUE);
    LPWSTR uri = nullptr;
    BOOL userInitiated = FALSE;
    const std::wstring url = SUCCEEDED(args->get_Uri(&uri)) ? Taken(uri) : L"";
    args->get_IsUserInitiated(&userInitiated);
    OfferNewWindow(url, userInitiated != FALSE);
}

void WebView2Browser::OnTitleChanged() {
    LPWSTR title = nullptr;
    if (SUCCEEDED(webView_->get_DocumentTitle(&title))) {
        TitleChange(Taken(title));
    }
}

std::wstring WebView2Browser::Source() const {
    LPWSTR uri = nullptr;
    return webView_ && SUCCEEDED(webView_->get_Source(&uri)) ? Taken(uri) : L"";
}

} // namespace browser
