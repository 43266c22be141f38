// The main window's answers to the user: menu, buttons, strip and bar
// events, the close request.
#include "forms/Dialogs.h"
#include "forms/DragByCaption.h"
#include "forms/ShellLaunch.h"
#include "forms/WorkArea.h"
#include "game/Settings.h"
#include "game/Texts.h"
#include "login/LoginScreen.h"
#include "mainwindow/CacheMain.h"
#include "mainwindow/MsgFrm.h"
#include "mainwindow/WebMainFrm.h"
#include "startup/UpdateCheck.h"

namespace {

void ArrowPointer() {
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

} // namespace

void WebMainFrm::ConnectEvents() {
    connections_ += web_close.Click.Connect([this] { PostCloseRequest(); });
    connections_ += web_min.Click.Connect([this] { ShowWindow(hWnd(), SW_MINIMIZE); });
    connections_ += web_minmax.Click.Connect([this] { web_minmax_Click(); });
    connections_ += web_tool.Click.Connect([this] { PopupAppMenu(); });
    connections_ += OtherUserBtn.Click.Connect([] { login::ShowLoginScreen(); });
    connections_ += GameSpaceBtn.Click.Connect([] {
        forms::ShellLaunch::Launch({L"open", PublicData::GameSiteUrl, L""});
    });
    connections_ += WebuTab.TabChanged.Connect([this] { Picture1->SetVisible(false); });
    connections_ += WebuTab.OnMouseDown.Connect(
        [this](long index, int&, int&, float&, float&) { WebuTab_OnMouseDown(index); });
    connections_ += WebuTab.OnMouseHover.Connect(
        [this](long index, int&, int&, float&, float&) { WebuTab_OnMouseHover(index); });
    connections_ +=
        WebuTab.OnMouseMove.Connect([](long, int&, int&, float&, float&) { ArrowPointer(); });
    connections_ +=
        WebuTab.OnItemColose.Connect([this](long, bool& cancel) { WebuTab_OnItemColose(cancel); });
    connections_ += WebBForm.MouseMove.Connect([](int&, int&, float&, float&) { ArrowPointer(); });
    // As a system caption does: a double click maximises or restores.
    connections_ += WebBForm.DblClick.Connect([this] { web_minmax_Click(); });
}

void WebMainFrm::PopupAppMenu() {
    // In front first, so that the menu closes when the user clicks elsewhere.
    SetForegroundWindow(hWnd());
    POINT at{};
    GetCursorPos(&at);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(appmenu_.get(), TPM_RETURNCMD, at.x, at.y, 0, hWnd(), nullptr));
    PostMessageW(hWnd(), WM_NULL, 0, 0);
    if (chosen != 0) {
        RunMenuCommand(chosen);
    }
}

void WebMainFrm::RunMenuCommand(UINT item) {
    switch (item) {
    case refresh:
        refresh_Click();
        break;
    case hiderestore:
        Visible() ? Hide() : Show();
        break;
    case clearcache:
        clearcache_Click();
        break;
    case update:
        update_Click();
        break;
    case exit:
        PostCloseRequest();
        break;
    default:
        break;
    }
}

void WebMainFrm::refresh_Click() {
    if (Picture1->Visible()) {
        return; // no page has been opened yet: nothing to reload
    }
    WebuTab.RefreshPage(); // false with no tab selected: nothing to reload
}

void WebMainFrm::clearcache_Click() {
    const CacheMain::ClearResult result =
        CacheMain::ClearBrowserCache(L"*.*", CacheMain::kKeepCookiesAndHistory);
    if (result.Complete()) {
        forms::Dialogs::Message({L"缓存已清理完毕！", Texts::CacheCleaning, forms::MsgButtons::Ok,
                                 forms::MsgIcon::Information});
    } else {
        forms::Dialogs::Message({kCacheNotCleared, Texts::CacheCleaning, forms::MsgButtons::Ok,
                                 forms::MsgIcon::Exclamation});
    }
}

void WebMainFrm::update_Click() {
    if (!downloader_) {
        downloader_.emplace();
    }
    if (RunUpdateCheck(*downloader_, UpdateCheckMode::Menu)) {
        m_bExit = true;
        PostCloseRequest();
    }
}

void WebMainFrm::web_minmax_Click() {
    const bool state = frameStyle_->CallWindowStateChange();
    WebBForm.SetfrmHwnd(state ? nullptr : hWnd());
    // The button shows the state however it changed.
    web_minmax.SetValue(state);
}

void WebMainFrm::WebuTab_OnMouseDown(long itemIndex) {
    ArrowPointer();
    if (!web_minmax.Value() && itemIndex < 0) {
        forms::DragByCaption(hWnd());
    }
}

void WebMainFrm::WebuTab_OnMouseHover(long itemIndex) {
    CTabItems& items = WebuTab.TabItems();
    const bool onTab = itemIndex >= 0 && itemIndex < items.Count();
    toolTip_.SetText(onTab ? items.Item(static_cast<int>(itemIndex))->Caption() : std::wstring());
}

// The last tab is never removed: the window asks to close instead.
void WebMainFrm::WebuTab_OnItemColose(bool& cancel) {
    if (WebuTab.TabItems().Count() <= 1) {
        PostCloseRequest();
        cancel = true;
    }
}

// Close requests from controls run once their own event has returned.
void WebMainFrm::PostCloseRequest() {
    PostWhileLoaded([this] { Unload(); });
}

void WebMainFrm::OnQueryUnload(bool& cancel) {
    if (m_bExit) {
        return;
    }
    if (MsgFrm::Exists()) {
        // The question is already up (say, "退出" from the tray meanwhile).
        cancel = true;
        return;
    }
    MsgFrm& question = MsgFrm::Instance();
    // On the game's monitor, over the game.
    forms::CentreInWorkArea(question.hWnd(), forms::WorkAreaOfWindow(hWnd()));
    m_bExit = question.ShowModal(this);
    cancel = !m_bExit;
}

LRESULT WebMainFrm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SYSCOMMAND:
        // The watcher has raised CloseClick for it: asked once, not twice.
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            return 0;
        }
        break;
    default:
        break;
    }
    return Form::HandleMessage(message, wParam, lParam);
}
