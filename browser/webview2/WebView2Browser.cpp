#include "browser/webview2/WebView2Browser.h"

#include "browser/BrowserEngine.h"
#include "browser/webview2/ComHandler.h"
#include "browser/webview2/WebView2Runtime.h"
#include "forms/Application.h"

#include <utility>

namespace browser {

namespace {

constexpr wchar_t kHostClass[] = L"TavrinWebView2Host";

using EnvironmentDone = ComHandler<wv2::ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler,
                                   HRESULT, wv2::ICoreWebView2Environment*>;
using ControllerDone = ComHandler<wv2::ICoreWebView2CreateCoreWebView2ControllerCompletedHandler,
                                  HRESULT, wv2::ICoreWebView2Controller*>;

} // namespace

WebView2Browser::WebView2Browser(HWND container, const WebView2Runtime* runtime) {
    CreateBound(0, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, container,
                {kHostClass, nullptr, 0});
    Start(runtime);
}

// The page engine closes while its host window is still there.
WebView2Browser::~WebView2Browser() {
    alive_.End();
    waiting_.clear();
    if (webView_) {
        for (const auto& [remove, token] : subscriptions_) {
            (webView_.get()->*remove)(token);
        }
    }
    if (controller_) {
        controller_->Close();
    }
    settings_.reset();
    webView_.reset();
    controller_.reset();
    environment_.reset();
}

void WebView2Browser::Start(const WebView2Runtime* runtime) {
    if (runtime == nullptr) {
        failed_ = true;
        return;
    }
    const auto handler = forms::MakeCom<EnvironmentDone>(
        wv2::kIidEnvironmentCompleted,
        [this, watch = alive_.Watched()](HRESULT result, wv2::ICoreWebView2Environment* made) {
            if (watch.Alive()) {
                OnEnvironment(result, made);
            }
        });
    const std::wstring profile = WebView2Runtime::UserDataFolder(EngineProfile());
    if (profile.empty() || FAILED(runtime->CreateEnvironment(profile, handler.get()))) {
        failed_ = true;
    }
}

void WebView2Browser::OnEnvironment(HRESULT result, wv2::ICoreWebView2Environment* environment) {
    if (FAILED(result) || environment == nullptr) {
        Fail();
        return;
    }
    environment->AddRef();
    environment_.Attach(environment);
    const auto handler = forms::MakeCom<ControllerDone>(
        wv2::kIidControllerCompleted,
        [this, watch = alive_.Watched()](HRESULT done, wv2::ICoreWebView2Controller* made) {
            if (watch.Alive()) {
                OnController(done, made);
            } else if (SUCCEEDED(done) && made != nullptr) {
                made->Close(); // the engine went first
            }
        });
    if (FAILED(environment_->CreateCoreWebView2Controller(hWnd(), handler.get()))) {
        Fail();
    }
}

void WebView2Browser::OnController(HRESULT result, wv2::ICoreWebView2Controller* controller) {
    if (FAILED(result) || controller == nullptr) {
        Fail();
        return;
    }
    controller->AddRef();
    controller_.Attach(controller);
    if (FAILED(controller_->get_CoreWebView2(webView_.put())) || !webView_) {
        controller_->Close();
        controller_.reset();
        Fail();
        return;
    }
    Configure();
    Subscribe();
    ApplyBounds();
    controller_->put_IsVisible(TRUE);
    RunWaiting();
}

// Nothing of the page reaches the program, and the runtime's own tools,
// bars and stores stay shut; the page keeps its own dialogs.
void WebView2Browser::Configure() {
    if (FAILED(webView_->get_Settings(settings_.put())) || !settings_) {
        return;
    }
    settings_->put_AreDevToolsEnabled(FALSE);
    settings_->put_AreDefaultContextMenusEnabled(contextMenus_ ? TRUE : FALSE);
    settings_->put_AreHostObjectsAllowed(FALSE);
    settings_->put_IsWebMessageEnabled(FALSE);
    settings_->put_IsStatusBarEnabled(FALSE);
    settings_->put_IsZoomControlEnabled(FALSE);
    settings_->put_AreDefaultScriptDialogsEnabled(TRUE);
    forms::ComPtr<wv2::ICoreWebView2Settings4> stores;
    settings_->QueryInterface(wv2::kIidSettings4, reinterpret_cast<void**>(stores.put()));
    if (stores) {
        stores->put_IsGeneralAutofillEnabled(FALSE);
        stores->put_IsPasswordAutosaveEnabled(FALSE);
    }
}

void WebView2Browser::Fail() {
    failed_ = true;
    RunWaiting();
}

void WebView2Browser::RunWaiting() {
    std::deque<std::function<void()>> waiting;
    waiting.swap(waiting_);
    for (const auto& call : waiting) {
        call();
    }
}

void WebView2Browser::Navigate(const std::wstring& url) {
    if (webView_) {
        webView_->Navigate(url.c_str());
    } else if (failed_) {
        failedNavigations_.push_back(url);
        forms::Application::Post(alive_, [this] { ReportFirstFailure(failedNavigations_); });
    } else {
        waiting_.push_back([this, url] { Navigate(url); });
    }
}

void WebView2Browser::Refresh() {
    if (webView_) {
        webView_->Reload();
    } else if (!failed_) {
        waiting_.push_back([this] { Refresh(); });
    }
}

void WebView2Browser::Move(int left, int top, int width, int height) {
    MoveWindow(hWnd(), left, top, width, height, TRUE);
    bounds_ = {0, 0, width, height};
    ApplyBounds();
}

// In the host window's physical pixels, as the runtime takes them.
void WebView2Browser::ApplyBounds() {
    if (controller_) {
        controller_->put_Bounds(bounds_);
    }
}

std::wstring WebView2Browser::DocumentUrl() const {
    return Source();
}

void WebView2Browser::SetRootOverflow(const std::wstring& value) {
    overflow_ = value;
    if (webView_) {
        RunScript(OverflowScript(), nullptr);
    }
}

void WebView2Browser::SetContextMenuAnswer(bool allow) {
    contextMenus_ = allow;
    if (settings_) {
        settings_->put_AreDefaultContextMenusEnabled(allow ? TRUE : FALSE);
    }
}

void WebView2Browser::OfferNewWindow(const std::wstring& url, bool userAsked) {
    OfferThroughGate(*this, newWindows_, url, userAsked);
}

// A click in the page's window gives it focus itself; focus given to the
// host passes to the page.
LRESULT WebView2Browser::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS && controller_) {
        controller_->MoveFocus(wv2::kMoveFocusProgrammatic);
        return 0;
    }
    return DefaultProcedure(message, wParam, lParam);
}

} // namespace browser
