#include "login/LoginBgFrm.h"

#include "forms/DragByCaption.h"
#include "forms/WorkArea.h"
#include "forms/core/Units.h"
#include "forms/core/WorkAreaRules.h"
#include "game/Texts.h"
#include "login/GluedWindow.h"
#include "login/SplashScreen.h"
#include "resources/resource.h"

#include <utility>

namespace {

forms::FormDesign BackgroundDesign() {
    forms::FormDesign design;
    design.caption = Texts::ClientWindow;
    design.clientWidthTwips = 13620;
    design.clientHeightTwips = 7050;
    design.showInTaskbar = true;
    return design;
}

} // namespace

LoginBgFrm::LoginBgFrm() : SingleForm(BackgroundDesign()) {}

int LoginBgFrm::FittingDpi(const forms::Rect& work) {
    return WorkAreaRules::FittingDpi(kDesignWidth, kDesignHeight, work, forms::ScreenDpi());
}

void LoginBgFrm::OnLoad() {
    const LONG_PTR style = GetWindowLongPtrW(hWnd(), GWL_STYLE);
    // No maximised state either (Win+Up): the picture has one size.
    SetWindowLongPtrW(hWnd(), GWL_STYLE,
                      style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX));
    SetWindowLongPtrW(hWnd(), GWL_EXSTYLE, GetWindowLongPtrW(hWnd(), GWL_EXSTYLE) | WS_EX_LAYERED);
    const forms::Rect work = forms::WorkAreaAtCursor();
    dpi_ = FittingDpi(work);
    // The splash drew it for the monitor the pointer was on then.
    if (!login::TakeSplashLoginPicture(image_, picture_) ||
        picture_.Width() != forms::ScalePixelsAt(kDesignWidth, dpi_)) {
        picture_ = forms::LayeredPicture();
        image_ = forms::LoadPngResource(IDR_PNG_LOGIN, L"PNG");
        picture_ = forms::DrawLayeredPng(image_, dpi_);
    }
    forms::PushLayered(hWnd(), picture_);
    forms::CentreInWorkArea(hWnd(), work);
    SetCaption(Texts::GameClientTitle());
}

void LoginBgFrm::OnUnload() {
    image_.Reset();
    picture_.ReleaseGraphics();
    picture_ = forms::LayeredPicture();
    login::UnhookWindow(hWnd());
    if (forms::Form* follower = std::exchange(follower_, nullptr)) {
        follower->Unload();
    }
}

void LoginBgFrm::Glue(forms::Form& follower) {
    follower_ = &follower;
    login::HookWindow(hWnd(), follower.hWnd());
}

void LoginBgFrm::Minimize() {
    ShowWindow(hWnd(), SW_MINIMIZE);
}

void LoginBgFrm::SetIcon(WPARAM which, forms::IconHandle icon) {
    SendMessageW(hWnd(), WM_SETICON, which, reinterpret_cast<LPARAM>(icon.get()));
    (which == ICON_SMALL ? smallIcon_ : bigIcon_) = std::move(icon);
}

LRESULT LoginBgFrm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) {
        // Dragging anywhere on the picture moves the whole login screen.
        forms::DragByCaption(hWnd());
        return 0;
    }
    return Form::HandleMessage(message, wParam, lParam);
}
