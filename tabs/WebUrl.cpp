#include "tabs/WebUrl.h"

#include "browser/BrowserPage.h"
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
    resize_ = Picture1->Resize.Connect([this] { Picture1_Resize(); });
    wb.Open(Picture1->hWnd());
    OnResize();
    if (!wb) {
        return;
    }
    wb.Handlers() += wb->DocumentComplete.Connect([this](std::wstring) { wb_DocumentComplete(); });
    wb.Handlers() += wb->TitleChange.Connect([this](std::wstring text) { wb_TitleChange(text); });
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
    wb.Release();
    resize_.Disconnect();
}
