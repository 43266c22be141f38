#pragma once

#include "browser/IBrowser.h"
#include "browser/core/NewWindowGate.h"
#include "browser/webview2/WebView2Api.h"
#include "forms/ComPtr.h"
#include "forms/WindowBase.h"
#include "forms/core/Lifetime.h"

#include <windows.h>

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace browser {

class WebView2Runtime;

// The WebView2 runtime's page engine in a child window of ours. Creation
// completes later, on the loop; what is asked before then waits, in order.
// Without a runtime, or when creation fails, every navigation fails.
class WebView2Browser final : public IBrowser, private forms::WindowBase {
public:
    // runtime: null for none; it must outlive the engine.
    WebView2Browser(HWND container, const WebView2Runtime* runtime);
    ~WebView2Browser() override;

    // Whether the page engine is there and takes calls.
    bool Ready() const { return static_cast<bool>(webView_); }

    void Navigate(const std::wstring& url) override;
    void Refresh() override;
    void SetSilent(bool) override {} // the page's own dialogs stay on
    void Move(int left, int top, int width, int height) override;
    HWND Window() const override { return hWnd(); }

    std::size_t RootInnerHtmlLength() const override { return htmlLength_; }
    std::wstring DocumentUrl() const override;
    void SetRootOverflow(const std::wstring& value) override;
    void SetContextMenuAnswer(bool allow) override;
    void OfferNewWindow(const std::wstring& url, bool userAsked) override;

private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Start(const WebView2Runtime* runtime);
    void OnEnvironment(HRESULT result, wv2::ICoreWebView2Environment* environment);
    void OnController(HRESULT result, wv2::ICoreWebView2Controller* controller);
    void Configure();
    void Subscribe();
    void Fail();
    void RunWaiting();
    void ApplyBounds();

    // The events, WebView2Events.cpp.
    void OnNavigationStarting(wv2::ICoreWebView2NavigationStartingEventArgs* args, bool topLevel);
    void OnNavigationCompleted(wv2::ICoreWebView2NavigationCompletedEventArgs* args);
    void OnNewWindowRequested(wv2::ICoreWebView2NewWindowRequestedEventArgs* args);
    void OnTitleChanged();
    void MeasureDocument();
    std::wstring OverflowScript() const;
    // done: what the answer (JSON, "" on failure) is for; may be null.
    void RunScript(const std::wstring& script, std::function<void(std::wstring)> done);
    std::wstring Source() const;

    forms::ComPtr<wv2::ICoreWebView2Environment> environment_;
    forms::ComPtr<wv2::ICoreWebView2Controller> controller_;
    forms::ComPtr<wv2::ICoreWebView2> webView_;
    forms::ComPtr<wv2::ICoreWebView2Settings> settings_;
    std::vector<
        std::pair<HRESULT (STDMETHODCALLTYPE wv2::ICoreWebView2::*)(wv2::EventRegistrationToken),
                  wv2::EventRegistrationToken>>
        subscriptions_;
    bool failed_ = false;
    std::deque<std::function<void()>> waiting_; // calls made before creation completed
    std::deque<std::wstring> failedNavigations_;
    RECT bounds_ = {};
    std::wstring overflow_;
    bool contextMenus_ = true;
    // The top document's navigation under way, and the frames it may show:
    // every frame address since the current document's navigation began,
    // with those of the document before it until the new one completes.
    // Past kMaxTrackedFrames a frame is not kept, and the page commands
    // nothing until the documents that had it are gone.
    static constexpr std::size_t kMaxTrackedFrames = 256;
    std::wstring topNavigation_;
    std::vector<std::wstring> frames_;
    std::size_t framesOfNewDocument_ = 0;
    bool framesDroppedBefore_ = false;
    bool framesDroppedSince_ = false;
    std::size_t htmlLength_ = 0;
    NewWindowGate newWindows_;
    forms::Lifetime alive_;
};

} // namespace browser
