#include "browser/preview/PreviewBrowser.h"

#include "browser/core/NavigationPolicy.h"
#include "browser/core/PageUrl.h"
#include "forms/Application.h"
#include "forms/core/Text.h"

#include <algorithm>

namespace browser {

namespace {

constexpr wchar_t kBrowserClass[] = L"TavrinPreviewBrowser";
// Frames inside frames end here: a page that frames itself stops at once.
constexpr int kDeepestFrame = 3;

// A pane and the frames inside it, as the navigation policy reads them.
class PaneDocument final : public DocumentNode {
public:
    explicit PaneDocument(PreviewPane& pane) : pane_(pane) {}
    std::wstring Address() const override { return pane_.Url(); }
    std::size_t FrameCount() const override { return pane_.FrameCount(); }
    std::unique_ptr<DocumentNode> Frame(std::size_t index) const override {
        return std::make_unique<PaneDocument>(pane_.Frame(index));
    }

private:
    PreviewPane& pane_;
};

} // namespace

// One navigation as it runs: it goes on only while the engine lives and no
// newer navigation was asked for by the handlers of its events.
class PreviewBrowser::Run {
public:
    explicit Run(const PreviewBrowser& browser)
        : alive_(browser.alive_.Watched()), browser_(browser), navigation_(browser.navigation_) {}
    bool Current() const { return alive_.Alive() && browser_.navigation_ == navigation_; }

private:
    forms::Lifetime::Watch alive_;
    const PreviewBrowser& browser_;
    unsigned navigation_;
};

PreviewBrowser::PreviewBrowser(HWND container) {
    CreateBound(0, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, container,
                {kBrowserClass, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), 0});
    top_ = std::make_unique<PreviewPane>(
        hWnd(), 0, [this](PreviewPane& pane, const PageLink& link) { OnLinkClicked(pane, link); });
}

PreviewBrowser::~PreviewBrowser() {
    alive_.End();
    requests_.clear();
    top_.reset();
}

void PreviewBrowser::Navigate(const std::wstring& url) {
    Ask({Kind::Navigate, top_.get(), url});
}

void PreviewBrowser::Refresh() {
    if (!top_->Url().empty()) {
        Ask({Kind::Reload, top_.get(), top_->Url()});
    }
}

void PreviewBrowser::Move(int left, int top, int width, int height) {
    MoveWindow(hWnd(), left, top, width, height, TRUE);
    Relayout();
}

// A navigation replaces any other that has not started yet.
void PreviewBrowser::Ask(Request request) {
    if (request.kind != Kind::NewWindow) {
        ++navigation_;
        requests_.erase(std::remove_if(requests_.begin(), requests_.end(),
                                       [](const Request& r) { return r.kind != Kind::NewWindow; }),
                        requests_.end());
    }
    requests_.push_back(std::move(request));
    forms::Application::Post(alive_, [this] { RunNext(); });
}

// "_blank" asks for a new window, "_top" and "_parent" load the top
// document; every other target loads the pane the link is on.
void PreviewBrowser::OnLinkClicked(PreviewPane& pane, const PageLink& link) {
    const std::wstring url = ResolveUrl(pane.Url(), link.href);
    const std::wstring target = forms::LowerAscii(link.target);
    if (target == L"_blank") {
        Ask({Kind::NewWindow, nullptr, url});
    } else if (target == L"_top" || target == L"_parent") {
        Ask({Kind::Follow, top_.get(), url});
    } else {
        Ask({Kind::Follow, &pane, url});
    }
}

// Only what the user asked for is ever let by.
void PreviewBrowser::OfferNewWindow(const std::wstring& url, bool userAsked) {
    if (userAsked) {
        Ask({Kind::NewWindow, nullptr, url});
    }
}

void PreviewBrowser::RunNext() {
    if (requests_.empty()) {
        return;
    }
    const Request request = std::move(requests_.front());
    requests_.pop_front();
    if (request.kind == Kind::NewWindow) {
        // A click on a link is always the user's.
        OfferThroughGate(*this, newWindows_, request.url, true);
        return;
    }
    shown_.clear();
    const Run run(*this);
    Load(*request.pane, request.url, request.kind, run);
}

// Asks for the page; the run goes on in OnFetched. A cancelled page is
// skipped, as a failed one is.
void PreviewBrowser::Load(PreviewPane& pane, const std::wstring& url, Kind kind, const Run& run) {
    if (kind != Kind::Reload) {
        Navigation navigation;
        navigation.url = url;
        navigation.topLevel = &pane == top_.get();
        navigation.userAsked = kind == Kind::Follow;
        const bool cancel =
            PassNavigation(BeforeNavigate2, std::move(navigation), false, PaneDocument(*top_));
        if (!run.Current()) {
            return;
        }
        if (cancel) {
            LoadNextFrame(run);
            return;
        }
    }
    DownloadBegin();
    if (!run.Current()) {
        return;
    }
    FetchPageLater(url, [this, &pane, url, run](const FetchedPage& fetched) {
        if (run.Current()) {
            OnFetched(pane, url, fetched, run);
        }
    });
}

void PreviewBrowser::OnFetched(PreviewPane& pane, const std::wstring& url,
                               const FetchedPage& fetched, const Run& run) {
    const bool topLevel = &pane == top_.get();
    if (!fetched.ok) {
        // A server's error page is shown, as the platform's engine does.
        NavigateError(url, topLevel,
                      fetched.answered ? NavigationFailure::ErrorPage : NavigationFailure::NoPage);
        if (!run.Current()) {
            return;
        }
        if (!fetched.answered) {
            LoadNextFrame(run);
            return;
        }
    }
    pane.Show(fetched.url, ScanPage(fetched.text));
    Relayout();
    if (topLevel) {
        TitleChange(pane.Title().empty() ? fetched.url : pane.Title());
    }
    if (run.Current()) {
        shown_.push_back({&pane, fetched.url, 0});
        LoadNextFrame(run);
    }
}

// Loads the innermost shown pane's next frame; a pane with all its frames
// loaded (or nested too deep for more) completes, and its outer pane goes on.
void PreviewBrowser::LoadNextFrame(const Run& run) {
    if (shown_.empty()) {
        return;
    }
    Shown& shown = shown_.back();
    PreviewPane& pane = *shown.pane;
    if (pane.Depth() < kDeepestFrame && shown.nextFrame < pane.FrameCount()) {
        const std::size_t frame = shown.nextFrame++;
        Load(pane.Frame(frame), pane.FrameUrl(frame), Kind::Navigate, run);
        return;
    }
    const std::wstring url = shown.url;
    shown_.pop_back();
    DocumentComplete(url);
    if (run.Current()) {
        LoadNextFrame(run);
    }
}

void PreviewBrowser::Relayout() {
    RECT area = {};
    GetClientRect(hWnd(), &area);
    MoveWindow(top_->Window(), 0, 0, area.right, area.bottom, TRUE);
    top_->Layout(area.right);
}

} // namespace browser
