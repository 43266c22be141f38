#include "mainwindow/WebMainFrm.h"

#include "forms/Application.h"
#include "forms/WindowIcon.h"
#include "forms/WindowRegion.h"
#include "forms/WorkArea.h"
#include "forms/core/Units.h"
#include "game/Settings.h"
#include "game/Texts.h"
#include "mainwindow/ModMsg.h"
#include "mainwindow/core/DdeText.h"
#include "mainwindow/core/MainLayout.h"
#include "resources/resource.h"
#include "startup/UpdateCheck.h"
#include "tabs/WebUrl.h"

namespace {

std::wstring TabKey(const std::wstring& url) {
    return L"Game" + url;
}

forms::FormDesign MainDesign() {
    forms::FormDesign design;
    design.caption = Texts::ClientWindow;
    design.clientWidthTwips = 15540;
    design.clientHeightTwips = 9585;
    design.style = WS_POPUP | WS_CLIPCHILDREN;
    return design;
}

constexpr int kCorner = 6; // the region's rounded corners, design pixels

int Px(int twips) {
    return forms::TwipsToPixels(twips);
}

// Light ink on the caption bar's dark art; the art's magenta corners are
// cut away so that the bar shows through them.
void SkinTextButton(iButton& button, WORD art) {
    button.SetAutoSize(false);
    button.SetcForeColor(RGB(0xE6, 0xE9, 0xF0));
    button.SetcBackStyle(0);
    button.SetBackPicture(forms::Picture::FromResource(art));
}

} // namespace

WebMainFrm::WebMainFrm()
    : SingleForm(MainDesign()), WebBForm(forms::Picture::FromResource(IDB_FRAME)) {}

WebMainFrm::~WebMainFrm() = default;

void WebMainFrm::CreateControls() {
    WebBForm.Create(hWnd(), 0, 0, 15495, 495);
    WebBForm.SetBackColor(RGB(0xDE, 0xDE, 0xDE));
    WebBForm.SetHasLogo(true);
    WebBForm.SetCaption(Texts::ClientWindow);
    web_close.Create(hWnd(), 13680, 15, 645, 270);
    web_minmax.Create(hWnd(), 13320, 15, 375, 270);
    web_minmax.SetStyle(1);
    web_min.Create(hWnd(), 12960, 15, 360, 270);
    web_tool.Create(hWnd(), 12600, 15, 360, 270);
    for (const auto& [button, name] :
         {std::pair{&web_close, Texts::CloseButton}, std::pair{&web_minmax, Texts::MaximiseButton},
          std::pair{&web_min, Texts::MinimiseButton}, std::pair{&web_tool, Texts::MenuButton}}) {
        button->SetAccessibleName(name);
    }
    WebuTab.Create(hWnd(), 2160, 30, 10215, 480);
    forms::PropertyBag bag;
    bag.Write<std::int32_t>("TabStyle", 1);
    bag.Write<std::int32_t>("TabLeftSize", 10);
    bag.Write<std::int32_t>("TabRightSize", 0);
    WebuTab.ReadProperties(bag);
    pCnt = std::make_unique<forms::PictureBox>(hWnd(), Px(6240), Px(1440), Px(2415), Px(1695),
                                               GetSysColor(COLOR_WINDOW));
    PicLogo = std::make_unique<forms::PictureBox>(hWnd(), Px(100), Px(30), Px(440), Px(440),
                                                  RGB(0xDE, 0xDE, 0xDE));
    GameSpaceBtn.Create(hWnd(), 12240, 0, 1215, 330);
    GameSpaceBtn.SetCaption(L"游戏官网");
    OtherUserBtn.Create(hWnd(), 10680, 0, 1485, 330);
    OtherUserBtn.SetCaption(L"登录其他帐号");
    Picture1 = std::make_unique<forms::PictureBox>(hWnd(), Px(1320), Px(840), Px(8775), Px(5535),
                                                   GetSysColor(COLOR_WINDOW));
    toolTip_.Attach(reinterpret_cast<HWND>(WebuTab.hWnd()));
    StackControls();
}

// The caption bar lies beneath everything; the page area over the strip.
void WebMainFrm::StackControls() {
    const HWND bottomToTop[] = {
        WebBForm.hWnd(),     web_close.hWnd(), web_minmax.hWnd(),
        web_min.hWnd(),      web_tool.hWnd(),  reinterpret_cast<HWND>(WebuTab.hWnd()),
        pCnt->hWnd(),        PicLogo->hWnd(),  GameSpaceBtn.hWnd(),
        OtherUserBtn.hWnd(), Picture1->hWnd()};
    for (HWND control : bottomToTop) {
        SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

// Without F10 the menu does not offer it.
void WebMainFrm::CreateAppMenu(bool hotKey) {
    appmenu_.reset(CreatePopupMenu());
    const std::wstring versionCaption = L"版本号:" + LocalVersion();
    const std::pair<UINT, const wchar_t*> items[] = {
        {refresh, L"刷新(F5)"},
        {hiderestore, hotKey ? L"隐藏/恢复(F10)" : L"隐藏/恢复"},
        {clearcache, L"清除缓存"},
        {line, nullptr},
        {update, Texts::Update},
        {version, versionCaption.c_str()},
        {exit, L"退出"}};
    for (const auto& [id, caption] : items) {
        AppendMenuW(appmenu_.get(), caption == nullptr ? MF_SEPARATOR : MF_STRING, id, caption);
    }
}

void WebMainFrm::OnLoad() {
    CreateControls();
    ConnectEvents();
    smallIcon_ = forms::LoadWindowIcon(IDI_TAVRIN, ICON_SMALL);
    SendMessageW(hWnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    trayIcon_ = std::make_unique<CLumNotifyIcon>();
    AddTrayIcon();
    bigIcon_ = forms::LoadWindowIcon(IDI_TAVRIN, ICON_BIG);
    SendMessageW(hWnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    const bool hotKey =
        ModMsg::HookMainWindow(hWnd(), {[this] { PopupAppMenu(); }, [this] { AddTrayIcon(); }});
    CreateAppMenu(hotKey);
    if (!hotKey) {
        // Said once; the menu keeps hiding and showing the window.
        trayIcon_->ShowBubble(Texts::GameClientTitle(), kHotKeyTaken, NIIF_WARNING);
    }
    WebBForm.SetCaption(PublicData::GameTitle);
    SetCaption(Texts::GameClientTitle());
    frameStyle_ = std::make_unique<cSetStyle>();
    connections_ += frameStyle_->CloseClick.Connect([this] { PostCloseRequest(); });
    frameStyle_->SetobjForm(this);
    frameStyle_->SetWindowStyle(hWnd());
    WebBForm.SetfrmHwnd(hWnd());
    // On the monitor the player is using: where the login screen was clicked.
    forms::CentreInWorkArea(hWnd(), forms::WorkAreaAtCursor());
    web_close.SetBackPicture(forms::Picture::FromResource(IDB_CLOSE));
    web_minmax.SetBackPicture(forms::Picture::FromResource(IDB_MINMAX));
    web_min.SetBackPicture(forms::Picture::FromResource(IDB_MIN));
    web_minmax.SetValue(true);
    web_tool.SetBackPicture(forms::Picture::FromResource(IDB_TOOL));
    SkinTextButton(OtherUserBtn, IDB_OTHER_USER);
    SkinTextButton(GameSpaceBtn, IDB_GAME_SPACE);
    WebuTab.SethContainerWnd(pCnt->hWnd());
    WebuTab.LockReDraw(false);
    PicLogo->SetPicture(forms::LoadArtwork(IDB_LOGO));
    web_minmax_Click();
    // Resizes during the load step raise no resize event: lay out once now.
    OnResize();
    dde_ = std::make_unique<DdeSource>(
        forms::Application::ExeName(), kDdeTopic,
        [this](const std::wstring& command) { return DdeExecute(command); });
}

void WebMainFrm::OnResize() {
    if (IsIconic(hWnd())) {
        return;
    }
    WebBForm.Move(0, 0, Width(), WebBForm.Height());
    WebBForm.Printform(*this);
    const int corner = forms::ScaleDesignPixels(kCorner);
    forms::RectRgn(hWnd(), MainLayout::RegionExtent(ScaleWidth()),
                   MainLayout::RegionExtent(ScaleHeight()), corner, corner);
    PlaceControls();
}

// Every move that cannot be made at this size is skipped; the others run.
void WebMainFrm::PlaceControls() {
    const MainLayout::Places p =
        MainLayout::Compute(Width(), ScaleWidth(), ScaleHeight(), WebuTab.Height());
    const std::pair<iButton*, int> lefts[] = {{&web_close, p.closeLeft},
                                              {&web_minmax, p.minmaxLeft},
                                              {&web_min, p.minLeft},
                                              {&web_tool, p.toolLeft},
                                              {&GameSpaceBtn, p.gameSpaceLeft},
                                              {&OtherUserBtn, p.otherUserLeft}};
    for (const auto& [button, left] : lefts) {
        button->Move(left, button->Top(), button->Width(), button->Height());
    }
    if (MainLayout::Placeable(p.tabStrip)) {
        WebuTab.Move(p.tabStrip.left, p.tabStrip.top, p.tabStrip.Width(), WebuTab.Height());
    }
    if (MainLayout::Placeable(p.page)) {
        for (forms::PictureBox* box : {Picture1.get(), pCnt.get()}) {
            box->Move(Px(p.page.left), Px(p.page.top), Px(p.page.Width()), Px(p.page.Height()));
        }
    }
}

void WebMainFrm::SetURL(const std::wstring& strURL) {
    OpenUrlTab(strURL);
}

// An address with a tab of its own is selected again; a new one needs room.
bool WebMainFrm::HasTabFor(const std::wstring& url) {
    CTabItems& items = WebuTab.TabItems();
    return items.FindItem(TabKey(url)) != -1 || !items.Full();
}

bool WebMainFrm::OpenUrlTab(const std::wstring& url) {
    const std::wstring key = TabKey(url);
    CTabItems& items = WebuTab.TabItems();
    const int p = items.FindItem(key);
    if (p == -1) {
        if (items.Full()) {
            return false;
        }
        std::shared_ptr<WebUrl> page(new WebUrl(), forms::DeleteLaterDeleter{});
        page->OpenURL(url);
        items.Add(key, page, key);
        items.SetSelected(items.Count() - 1);
    } else {
        items.SetSelected(p);
    }
    Picture1->SetVisible(false);
    return true;
}

// Also when the shell could not take the icon at log-on: the taskbar's
// creation, or Explorer's restart, brings it here again.
void WebMainFrm::AddTrayIcon() {
    if (trayIcon_) {
        trayIcon_->AddNotifyIcon(hWnd(), smallIcon_.get(), Texts::GameClientTitle());
    }
}

// Other programs of the operator may open their own pages, on any host.
bool WebMainFrm::DdeExecute(const std::wstring& command) {
    // A refused command leaves the window as it was.
    if (!IsDdeAddress(command) || !HasTabFor(command)) {
        return false;
    }
    // Hidden with F10 (minimised or not): the command's page is shown.
    if (!IsWindowVisible(hWnd())) {
        ShowWindow(hWnd(), SW_SHOW);
    }
    if (IsIconic(hWnd())) {
        ShowWindow(hWnd(), SW_RESTORE);
    }
    const bool opened = OpenUrlTab(command);
    // In front of other windows; where the system refuses, the taskbar
    // button flashes instead.
    if (!SetForegroundWindow(hWnd())) {
        FLASHWINFO flash{sizeof flash, hWnd(), FLASHW_ALL | FLASHW_TIMERNOFG, 0, 0};
        FlashWindowEx(&flash);
    }
    return opened;
}

void WebMainFrm::OnUnload() {
    // No other program's command arrives once the window starts going.
    dde_.reset();
    // Gone from the tray before the window it calls back goes.
    trayIcon_.reset();
    ModMsg::UnhookMainWindow(hWnd());
    WebuTab.TabItems().Clear();
    frameStyle_.reset();
}
