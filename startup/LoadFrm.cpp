#include "startup/LoadFrm.h"

#include "forms/Application.h"
#include "forms/Dialogs.h"
#include "forms/WorkArea.h"
#include "game/Settings.h"
#include "game/Texts.h"
#include "login/LoginBgFrm.h"
#include "login/LoginFrm.h"
#include "resources/resource.h"
#include "startup/UpdateCheck.h"
#include "update/InstallRecovery.h"

#include <shellapi.h>
#include <wininet.h>

namespace {

forms::FormDesign SplashDesign() {
    forms::FormDesign design;
    design.caption = L"Form1";
    design.clientWidthTwips = 5340;
    design.clientHeightTwips = 1830;
    design.style = WS_POPUP;
    design.centerScreen = true;
    design.showInTaskbar = false;
    return design;
}

} // namespace

LoadFrm::LoadFrm() : SingleForm(SplashDesign()) {
    login::BindSplashScreen(this);
}

LoadFrm::~LoadFrm() {
    login::UnbindSplashScreen(this);
}

void LoadFrm::Close() {
    Unload();
}

void LoadFrm::OnInitialize() {
    // An update cut off by a crash is finished or undone first; one that
    // cannot be settled is the updater's to repair.
    const InstallRecovery::Outcome recovered =
        InstallRecovery::Recover(forms::Application::Path() + L"\\");
    if (recovered == InstallRecovery::Outcome::Unfinished && OfferRepair()) {
        return;
    }
    DWORD flags = 0;
    if (InternetGetConnectedState(&flags, 0) == FALSE) {
        forms::Dialogs::Message(
            {Texts::Offline, Texts::Notice, forms::MsgButtons::Ok, forms::MsgIcon::Exclamation});
        forms::Application::End();
        return;
    }
    // The splash is drawn on a worker while the manifest downloads.
    splashJob_.emplace(IDR_PNG_SPLASH, L"PNG");
    CheckUpdate();
    if (forms::Application::Ending()) {
        splashJob_.reset(); // no splash: its worker is done with before the program ends
    }
}

// True when the updater was started and the program ends.
bool LoadFrm::OfferRepair() {
    const forms::MsgAnswer answer = forms::Dialogs::Message(
        {L"上次更新未能完成，部分游戏文件尚未恢复。是否现在运行更新程序进行修复？", Texts::Notice,
         forms::MsgButtons::YesNo, forms::MsgIcon::Exclamation});
    if (answer != forms::MsgAnswer::Yes || !StartUpdater()) {
        return false;
    }
    forms::Application::End();
    return true;
}

// Runs before anything is drawn; ends the program when the updater starts.
void LoadFrm::CheckUpdate() {
    if (!downloader_) {
        downloader_.emplace();
    }
    if (RunUpdateCheck(*downloader_, UpdateCheckMode::Startup)) {
        forms::Application::End();
    }
}

void LoadFrm::OnLoad() {
    if (forms::Application::Command() == L"/web") {
        ShellExecuteW(nullptr, L"open", PublicData::MakerSiteUrl, nullptr, nullptr, SW_SHOWNORMAL);
        forms::Application::End();
        return;
    }
    SetWindowLongPtrW(hWnd(), GWL_EXSTYLE, GetWindowLongPtrW(hWnd(), GWL_EXSTYLE) | WS_EX_LAYERED);
    // Started once the online check passed; the load step comes only then.
    splashJob_->Take(image_, picture_);
    splashJob_.reset();
    forms::PushLayered(hWnd(), picture_);
    // The splash shows first; the login windows (a large picture to decode,
    // an engine to start) are made from the loop once it is up, and stay
    // hidden until the login page has loaded. Their picture is drawn on a
    // worker meanwhile.
    loginJob_.emplace(IDR_PNG_LOGIN, L"PNG", LoginBgFrm::FittingDpi(forms::WorkAreaAtCursor()));
    forms::Application::Post([] {
        if (LoadFrm::Exists() && !forms::Application::Ending()) {
            // Pushed again now that it shows: Wine puts a picture given while
            // the window was hidden on screen only when the loop next waits.
            LoadFrm& splash = LoadFrm::Instance();
            forms::PushLayered(splash.hWnd(), splash.picture_);
            LoginFrm::Instance();
        }
    });
}

bool LoadFrm::TakeLoginPicture(forms::PngResource& png, forms::LayeredPicture& picture) {
    if (!loginJob_) {
        return false;
    }
    loginJob_->Take(png, picture);
    loginJob_.reset();
    return true;
}

void LoadFrm::OnUnload() {
    login::UnbindSplashScreen(this);
    splashJob_.reset();
    loginJob_.reset();
    image_.Reset();
    picture_.ReleaseGraphics();
    picture_ = forms::LayeredPicture();
}
