#include "login/LoginFrm.h"

#include "browser/BrowserPage.h"
#include "controls/PictureButton.h"
#include "forms/Application.h"
#include "forms/Dialogs.h"
#include "forms/DragByCaption.h"
#include "forms/ResourceFile.h"
#include "forms/TempDir.h"
#include "forms/WindowIcon.h"
#include "forms/WindowRegion.h"
#include "forms/core/Units.h"
#include "game/Settings.h"
#include "game/Texts.h"
#include "login/LoginBgFrm.h"
#include "login/RunPageCommand.h"
#include "login/SplashScreen.h"
#include "login/core/PageCommand.h"
#include "resources/resource.h"

namespace {

enum ControlId { kPicture1 = 1, kMiniBtn, kCloseBtn };

forms::FormDesign LoginDesign() {
    forms::FormDesign design;
    design.caption = Texts::ClientWindow;
    design.clientWidthTwips = LoginFrm::kWidthTwips;
    design.clientHeightTwips = LoginFrm::kHeightTwips;
    design.style = WS_POPUP | WS_CLIPCHILDREN;
    design.showInTaskbar = false;
    return design;
}

} // namespace

LoginFrm::LoginFrm() : SingleForm(LoginDesign()), keyBrush_(CreateSolidBrush(kKeyColour)) {}

LoginFrm::~LoginFrm() {
    ReleaseBrowser();
}

void LoginFrm::OnLoad() {
    LoginBgFrm& background = LoginBgFrm::Instance();
    // At the background's scale, which is below the system's on a screen
    // too small for the picture: the two always match.
    dpi_ = background.Dpi();
    SetWindowPos(hWnd(), nullptr, 0, 0, Px(kWidthTwips), Px(kHeightTwips),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CreateControls();
    SetBackgroundIcons();
    CreateWebBrowser();
    ShapeToPageAndButtons();
    SetWindowLongPtrW(hWnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(background.hWnd()));
    background.Glue(*this);
}

int LoginFrm::Px(int twips) const {
    return forms::TwipsToPixelsAt(twips, dpi_);
}

void LoginFrm::CreateControls() {
    picture1_ = CreatePictureBox(kPicture1, 6225, 2685, 10980, 6375);
    miniBtn_ = CreatePictureBox(kMiniBtn, 16800, 1950, 420, 420);
    closeBtn_ = CreatePictureBox(kCloseBtn, 17280, 1875, 510, 510);
    PictureButton::Install(miniBtn_, Texts::MinimiseButton);
    PictureButton::Install(closeBtn_, Texts::CloseButton);
    miniPicture_ = forms::Picture::FromResource(IDB_LOGIN_MINI, kKeyColour, dpi_);
    closePicture_ = forms::Picture::FromResource(IDB_LOGIN_CLOSE, kKeyColour, dpi_);
    for (const auto& [box, picture] :
         {std::pair{miniBtn_, miniPicture_.get()}, std::pair{closeBtn_, closePicture_.get()}}) {
        if (picture != nullptr) {
            SendMessageW(box, STM_SETIMAGE, IMAGE_BITMAP,
                         reinterpret_cast<LPARAM>(picture->Bitmap()));
        }
    }
}

HWND LoginFrm::CreatePictureBox(int id, int leftTwips, int topTwips, int widthTwips,
                                int heightTwips) {
    const DWORD style =
        WS_CHILD | WS_VISIBLE | (id == kPicture1 ? WS_CLIPCHILDREN : SS_NOTIFY | SS_BITMAP);
    return CreateWindowExW(0, L"STATIC", L"", style, Px(leftTwips), Px(topTwips), Px(widthTwips),
                           Px(heightTwips), hWnd(), reinterpret_cast<HMENU>(INT_PTR{id}),
                           forms::Application::Instance(), nullptr);
}

// The icon file goes to the temporary directory; the login screen's window
// icons come at the system's sizes from the program's own icon.
void LoginFrm::SetBackgroundIcons() {
    const std::wstring path = forms::GetTempDir() + PublicData::GameCode + std::wstring(L".ico");
    forms::SaveResToFile(IDR_ICON_FILE, L"ICON", path);
    for (const WPARAM which : {ICON_SMALL, ICON_BIG}) {
        LoginBgFrm::Instance().SetIcon(which, forms::LoadWindowIcon(IDI_TAVRIN, which));
    }
}

void LoginFrm::CreateWebBrowser() {
    browser_.Open(picture1_);
    // The first navigation starts from the message loop: an engine that
    // completes at once must not unload the splash inside this load step.
    PostWhileLoaded([this] { NavigateLoginPage(); });
    if (!browser_) {
        return;
    }
    browser_->Move(Px(-15), Px(-15), Px(11265), Px(6660));
    browser_->SetContextMenuAnswer(false);
    forms::Connections& handlers = browser_.Handlers();
    handlers +=
        browser_->BeforeNavigate2.Connect([this](browser::Navigation navigation, bool& cancel) {
            OnPageNavigation(navigation, cancel);
        });
    handlers +=
        browser_->DocumentComplete.Connect([this](std::wstring url) { OnDocumentComplete(url); });
    handlers += browser_->NavigateError.Connect(
        [this](std::wstring, bool topLevel, browser::NavigationFailure failure) {
            OnNavigateError(topLevel, failure);
        });
}

void LoginFrm::NavigateLoginPage() {
    if (browser_) {
        browser_->Navigate(PublicData::LoginPageUrl);
    } else {
        // No engine: the page will never come.
        OnNavigateError(true, browser::NavigationFailure::NoPage);
    }
}

// The window is the page's rectangle and the buttons' drawn pixels, and
// nothing else: the background shows, and takes the clicks, everywhere
// around them, while every pixel of the page, of whatever colour, is the
// page's. A colour key on this window would reach into the page too.
void LoginFrm::ShapeToPageAndButtons() {
    RECT page{};
    GetWindowRect(picture1_, &page);
    MapWindowPoints(nullptr, hWnd(), reinterpret_cast<POINT*>(&page), 2);
    forms::GdiRegion shape(CreateRectRgnIndirect(&page));
    const forms::WindowDc screen(nullptr);
    const forms::MemoryDc dc(CreateCompatibleDC(screen.get()));
    for (const auto& [box, picture] :
         {std::pair{miniBtn_, miniPicture_.get()}, std::pair{closeBtn_, closePicture_.get()}}) {
        if (picture == nullptr) {
            continue;
        }
        RECT r{};
        GetWindowRect(box, &r);
        MapWindowPoints(nullptr, hWnd(), reinterpret_cast<POINT*>(&r), 1);
        const forms::SelectedObject selection(dc.get(), picture->Bitmap());
        const forms::GdiRegion drawn =
            forms::ShapeWithout(dc.get(), picture->Width(), picture->Height(), kKeyColour);
        OffsetRgn(drawn.get(), r.left, r.top);
        CombineRgn(shape.get(), shape.get(), drawn.get(), RGN_OR);
    }
    // The window owns the region from here on.
    SetWindowRgn(hWnd(), shape.release(), TRUE);
}

void LoginFrm::OnPageNavigation(const browser::Navigation& navigation, bool& cancel) {
    if (!login::KeepsLoginOnOperatorHosts(navigation, PublicData::OperatorHosts())) {
        cancel = true;
        // What the user clicked opens where an address is shown.
        browser_->OfferNewWindow(navigation.url, navigation.userAsked);
        return;
    }
    login::RunPageCommand(navigation, cancel);
}

void LoginFrm::OnDocumentComplete(const std::wstring& url) {
    if (ending_) {
        return;
    }
    browser_->SetSilent(true);
    browser_->SetContextMenuAnswer(false);
    if (browser_->RootInnerHtmlLength() == 0) {
        EndOffline();
    } else if (!loginShown_ && browser_->DocumentUrl().find(url) != std::wstring::npos) {
        ShowLoginScreen();
    }
}

// A login page that brings nothing before any document of its own has
// completed would otherwise leave the splash up for good. An error page
// the server sent (maintenance, say) is shown like any page. The top
// document goes to operator pages only (OnPageNavigation), so what fails
// here is the operator's own page, whoever asked for it.
void LoginFrm::OnNavigateError(bool topLevel, browser::NavigationFailure failure) {
    if (topLevel && failure == browser::NavigationFailure::NoPage && !loginShown_ && !ending_) {
        EndOffline();
    }
}

// The login screen goes, and with it the splash; the program ends only when
// no game window is left running.
void LoginFrm::EndOffline() {
    // The engine may go on raising events while the message is up.
    ending_ = true;
    forms::Dialogs::Message(
        {Texts::Offline, Texts::Notice, forms::MsgButtons::Ok, forms::MsgIcon::Exclamation});
    Unload();
}

void LoginFrm::ShowLoginScreen() {
    loginShown_ = true;
    LoginBgFrm& background = LoginBgFrm::Instance();
    background.Show();
    Move(background.Left(), background.Top());
    Show();
    login::CloseSplashScreen();
}

void LoginFrm::OnButtonClick(int id) {
    if (id == kMiniBtn) {
        LoginBgFrm::Instance().Minimize();
    } else if (id == kCloseBtn) {
        LoginBgFrm::Instance().Unload();
    }
}

void LoginFrm::OnUnload() {
    ReleaseBrowser();
    LoginBgFrm::UnloadIfLoaded();
    login::CloseSplashScreen();
}

void LoginFrm::ReleaseBrowser() {
    browser_.Release();
}

LRESULT LoginFrm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT: {
        // The whole surface is the key colour: only the controls show.
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(hWnd(), &paint);
        FillRect(dc, &paint.rcPaint, keyBrush_.get());
        EndPaint(hWnd(), &paint);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        SetBkColor(reinterpret_cast<HDC>(wParam), kKeyColour);
        return reinterpret_cast<LRESULT>(keyBrush_.get());
    case WM_COMMAND:
        // Only the picture's own click: Esc's IDCANCEL carries no window.
        if (HIWORD(wParam) == STN_CLICKED && lParam != 0 &&
            reinterpret_cast<HWND>(lParam) == GetDlgItem(hWnd(), LOWORD(wParam)) &&
            LoginBgFrm::Exists()) {
            OnButtonClick(LOWORD(wParam));
        }
        return 0;
    case WM_LBUTTONDOWN:
        forms::DragByCaption(hWnd());
        return 0;
    default:
        return Form::HandleMessage(message, wParam, lParam);
    }
}
