#pragma once

#include "forms/Gdiplus.h"
#include "forms/Handles.h"
#include "forms/LayeredPicture.h"
#include "forms/PngResource.h"
#include "forms/SingleForm.h"
#include "forms/core/Rect.h"

// The visible frame of the login screen: the layered background picture,
// with the taskbar button, caption and icons. The login browser window lies
// on top of it, owned by it and glued to its left and top.
class LoginBgFrm : public forms::SingleForm<LoginBgFrm> {
public:
    // The picture's size in design (96-DPI) pixels.
    static constexpr int kDesignWidth = 1237;
    static constexpr int kDesignHeight = 696;

    LoginBgFrm();

    // The DPI the login screen is drawn at on a work area: the system's, or
    // the largest below it at which the picture fits.
    static int FittingDpi(const forms::Rect& work);
    // The DPI it is drawn at; the login page window takes the same.
    int Dpi() const { return dpi_; }
    const forms::LayeredPicture& Background() const { return picture_; }
    void Minimize();
    // Glues the browser window to this one: it follows every move, and it
    // is unloaded with this one.
    void Glue(forms::Form& follower);
    // Sends the icon with WM_SETICON and keeps it as long as the window.
    void SetIcon(WPARAM which, forms::IconHandle icon);

protected:
    void OnLoad() override;
    void OnUnload() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    forms::PngResource image_;
    forms::LayeredPicture picture_;
    forms::IconHandle smallIcon_;
    forms::IconHandle bigIcon_;
    forms::Form* follower_ = nullptr;
    int dpi_ = 0;
};
