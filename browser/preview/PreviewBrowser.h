#pragma once

#include "browser/IBrowser.h"
#include "browser/core/NewWindowGate.h"
#include "browser/preview/PageFetch.h"
#include "browser/preview/PreviewPane.h"
#include "forms/WindowBase.h"
#include "forms/core/Lifetime.h"

#include <windows.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace browser {

// The preview engine: fetches a page and shows its title and its links as
// push buttons, frames nested. No scripts, styles or pictures. Events are
// raised from the message loop, never inside the call that asked; pages are
// fetched on a worker thread, so the windows never wait on the network.
class PreviewBrowser final : public IBrowser, private forms::WindowBase {
public:
    explicit PreviewBrowser(HWND container);
    ~PreviewBrowser() override;

    void Navigate(const std::wstring& url) override;
    void Refresh() override;
    // The preview raises no dialogs of its own.
    void SetSilent(bool) override {}
    void Move(int left, int top, int width, int height) override;
    HWND Window() const override { return hWnd(); }

    std::size_t RootInnerHtmlLength() const override { return top_->RootInnerHtmlLength(); }
    std::wstring DocumentUrl() const override { return top_->Url(); }
    // The preview surface never scrolls, whatever the page asks.
    void SetRootOverflow(const std::wstring&) override {}
    // The preview has no context menu to suppress.
    void SetContextMenuAnswer(bool) override {}
    void OfferNewWindow(const std::wstring& url, bool userAsked) override;

private:
    // Follow: a link the user clicked.
    enum class Kind { Navigate, Follow, Reload, NewWindow };
    struct Request {
        Kind kind;
        PreviewPane* pane; // valid while no later navigation has started
        std::wstring url;
    };
    // A shown pane whose frames are loading, one after the other.
    struct Shown {
        PreviewPane* pane;
        std::wstring url;
        std::size_t nextFrame;
    };
    class Run;

    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override {
        return DefaultProcedure(message, wParam, lParam);
    }
    void Ask(Request request);
    void OnLinkClicked(PreviewPane& pane, const PageLink& link);
    void RunNext();
    void Load(PreviewPane& pane, const std::wstring& url, Kind kind, const Run& run);
    void OnFetched(PreviewPane& pane, const std::wstring& url, const FetchedPage& fetched,
                   const Run& run);
    void LoadNextFrame(const Run& run);
    void Relayout();

    std::unique_ptr<PreviewPane> top_;
    std::deque<Request> requests_;
    std::vector<Shown> shown_; // the running navigation's panes, outermost first
    unsigned navigation_ = 0;  // counts navigations asked for; a newer one ends a running one
    forms::Lifetime alive_;
    NewWindowGate newWindows_;
};

} // namespace browser
