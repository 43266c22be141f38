#include "tabs/WebUrl.h"

#include "browser/BrowserRelease.h"
#include "browser/core/ExternalUrl.h"
#include "forms/ShellLaunch.h"
#include "tabs/core/CTabItem.h"

namespace {

forms::FormDesign WebUrlDesign() {
    forms::FormDesign design;
    design.caption = L"Form1";
    design.clientWidthTwips = 9090;
    design.clientHeightTwips = 6255;
    design.style = WS_POPUP | WS_CLIPCHILDREN;
    design.showInTaskbar = false;
    return design;
}

// The browser's own 2-pixel frame lies outside the visible area.
constexpr int kFrame = 2;

} // namespace

WebUrl::WebUrl() : Form(WebUrlDesign()) {
    LoadForm();
}

WebUrl::~WebUrl() {
    Unload();
}

void WebUrl::OnLoad() {
    Picture1 =
        std::make_unique<forms::PictureBox>(Form::hWnd(), 0, 0, 0, 0, GetSysColor(COLOR_WINDOW));
    Picture1->Resize.Connect([this] { Picture1_Resize(); });
    wb = login::CreateBrowser(Picture1->hWnd());
    OnResize();
    if (!wb) {
        return;
    }
    wb->DownloadBegin.Connect([this] { wb->SetSilent(true); });
    wb->DocumentComplete.Connect([this](const std::wstring&) { wb_DocumentComplete(); });
    wb->TitleChange.Connect([this](const std::wstring& text) { wb_TitleChange(text); });
    wb->NewWindow.Connect(
        [this](const std::wstring& url, bool& processed) { Web_V1_NewWindow(url, processed); });
    wb->Navigate(L"about:blank");
}

void WebUrl::OnResize() {
    if (Picture1 && Picture1->hWnd() != nullptr) {
        RECT r{};
        GetClientRect(Form::hWnd(), &r);
        Picture1->Move(0, 0, r.right, r.bottom);
    }
}

void WebUrl::Picture1_Resize() {
    if (wb) {
        wb->Move(-kFrame, -kFrame, Picture1->ScaleWidth() + 2 * kFrame,
                 Picture1->ScaleHeight() + 2 * kFrame);
    }
}

void WebUrl::OpenURL(const std::wstring& szURL) {
    if (wb) {
        wb->Navigate(szURL);
    }
}

void WebUrl::wb_DocumentComplete() {
    wb->SetSilent(true);
    wb->SetRootOverflow(L"hidden");
}

void WebUrl::wb_TitleChange(const std::wstring& text) {
    if (m_Item != nullptr) {
        m_Item->SetCaption(text);
    }
}

void WebUrl::Web_V1_NewWindow(const std::wstring& url, bool& processed) {
    processed = true;
    if (IsForDefaultBrowser(url)) {
        ShellLaunch::Launch({L"open", url, L""});
    }
}

WindowHandle WebUrl::hWnd() const {
    return reinterpret_cast<WindowHandle>(Form::hWnd());
}

void WebUrl::Initialize(IuTab* Implement, CTabItem* Item) {
    // Null for both: the tab let go of this page, which lives on.
    m_Implement = Implement;
    m_Item = Item;
}

void WebUrl::RefreshPage() {
    if (wb) {
        wb->Refresh();
    }
}

void WebUrl::Unload() {
    Form::Unload();
}

void WebUrl::OnUnload() {
    // The browser goes before its window (which takes Picture1 along), so it
    // never outlives its host; under its own event, both wait for the loop.
    m_Item = nullptr;
    if (wb) {
        wb->DownloadBegin.Disconnect();
        wb->DocumentComplete.Disconnect();
        wb->TitleChange.Disconnect();
        wb->NewWindow.Disconnect();
        login::ReleaseBrowser(std::move(wb));
    }
    if (Picture1) {
        Picture1->Resize.Disconnect();
    }
}
