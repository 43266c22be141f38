#include "browser/IeBrowser.h"

#include "browser/BrowserEvents.h"
#include "browser/BrowserKeys.h"
#include "browser/BrowserSite.h"
#include "browser/UrlSecurity.h"
#include "forms/Application.h"
#include "forms/Bstr.h"

#include <ole2.h>

namespace browser {

namespace {

constexpr wchar_t kHostClass[] = L"TavrinBrowserHost";

template <class T> forms::ComPtr<T> Query(IUnknown* from, REFIID iid) {
    forms::ComPtr<T> to;
    if (from != nullptr) {
        from->QueryInterface(iid, reinterpret_cast<void**>(to.put()));
    }
    return to;
}

} // namespace

IeBrowser::IeBrowser(HWND container) {
    CreateBound(0, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, container,
                {kHostClass, nullptr, 0});
    site_ = forms::MakeCom<BrowserSite>(hWnd());
    CreateControl();
    Connect();
}

std::unique_ptr<IBrowser> IeBrowser::Create(HWND container) {
    static const bool locked = LockDownUrlSecurity();
    static_cast<void>(locked);
    return std::make_unique<IeBrowser>(container);
}

IeBrowser::~IeBrowser() {
    alive_.End();
    TearDown();
}

void IeBrowser::CreateControl() {
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(object_.put())))) {
        return;
    }
    IOleClientSite* site = site_.get();
    object_->SetClientSite(site);
    OleSetContainedObject(object_.get(), TRUE);
    RECT area = {};
    GetClientRect(hWnd(), &area);
    object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, hWnd(), &area);
    browser_ = Query<IWebBrowser2>(object_.get(), IID_IWebBrowser2);
    if (browser_) {
        // A file dropped on the page would otherwise replace it.
        browser_->put_RegisterAsDropTarget(VARIANT_FALSE);
    }
    active_ = Query<IOleInPlaceActiveObject>(object_.get(), IID_IOleInPlaceActiveObject);
    keysHost_ = hWnd();
    BrowserKeys::Add(keysHost_, active_.get());
}

void IeBrowser::Connect() {
    const auto container =
        Query<IConnectionPointContainer>(browser_.get(), IID_IConnectionPointContainer);
    if (!container ||
        FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, point_.put()))) {
        return;
    }
    const auto identity = Query<IUnknown>(browser_.get(), IID_IUnknown);
    events_ = forms::MakeCom<BrowserEvents>(*this, identity.get(), [this] { ApplyKeptStyle(); });
    if (FAILED(point_->Advise(events_.get(), &cookie_))) {
        cookie_ = 0;
    }
}

// The platform's order: stop the events, deactivate and close the object,
// take our site back, then release.
void IeBrowser::TearDown() {
    BrowserKeys::Remove(keysHost_);
    if (cookie_ != 0) {
        point_->Unadvise(cookie_);
        cookie_ = 0;
    }
    if (events_) {
        events_->Detach();
    }
    if (object_) {
        if (const auto inPlace = Query<IOleInPlaceObject>(object_.get(), IID_IOleInPlaceObject)) {
            inPlace->InPlaceDeactivate();
        }
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
    }
    point_.reset();
    events_.reset();
    active_.reset();
    browser_.reset();
    object_.reset();
    site_.reset();
}

void IeBrowser::Navigate(const std::wstring& url) {
    if (!browser_) {
        failed_.push_back(url);
        forms::Application::Post(alive_, [this] { ReportFirstFailure(failed_); });
        return;
    }
    VARIANT empty = {};
    const forms::Bstr address(url);
    browser_->Navigate(address.get(), &empty, &empty, &empty, &empty);
}

void IeBrowser::Refresh() {
    if (browser_) {
        browser_->Refresh();
    }
}

void IeBrowser::SetSilent(bool silent) {
    if (browser_) {
        browser_->put_Silent(silent ? VARIANT_TRUE : VARIANT_FALSE);
    }
}

void IeBrowser::Move(int left, int top, int width, int height) {
    MoveWindow(hWnd(), left, top, width, height, TRUE);
    if (const auto inPlace = Query<IOleInPlaceObject>(object_.get(), IID_IOleInPlaceObject)) {
        const RECT area = {0, 0, width, height};
        inPlace->SetObjectRects(&area, &area);
    }
}

forms::ComPtr<IHTMLDocument2> IeBrowser::Document() const {
    forms::ComPtr<IDispatch> document;
    if (browser_) {
        browser_->get_Document(document.put());
    }
    return Query<IHTMLDocument2>(document.get(), IID_IHTMLDocument2);
}

forms::ComPtr<IHTMLElement> IeBrowser::RootElement() const {
    forms::ComPtr<IHTMLElement> root;
    if (const auto document = Query<IHTMLDocument3>(Document().get(), IID_IHTMLDocument3)) {
        document->get_documentElement(root.put());
    }
    return root;
}

std::size_t IeBrowser::RootInnerHtmlLength() const {
    forms::Bstr html;
    if (const auto root = RootElement()) {
        root->get_innerHTML(html.put());
    }
    return html.Length();
}

std::wstring IeBrowser::DocumentUrl() const {
    forms::Bstr url;
    if (const auto document = Document()) {
        document->get_URL(url.put());
    }
    return url.str();
}

void IeBrowser::SetRootOverflow(const std::wstring& value) {
    overflow_ = value;
    ApplyKeptStyle();
}

void IeBrowser::ApplyKeptStyle() {
    if (overflow_.empty()) {
        return;
    }
    forms::ComPtr<IHTMLStyle> style;
    if (const auto root = RootElement()) {
        root->get_style(style.put());
    }
    if (style) {
        style->put_overflow(forms::Bstr(overflow_).get());
    }
}

void IeBrowser::SetContextMenuAnswer(bool allow) {
    if (site_) {
        site_->SetContextMenuAllowed(allow);
    }
}

void IeBrowser::OfferNewWindow(const std::wstring& url, bool userAsked) {
    if (events_) {
        events_->OfferNewWindow(url, userAsked);
    }
}

} // namespace browser
