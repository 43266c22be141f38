#pragma once

#include "forms/Gdiplus.h"
#include "forms/LayeredPicture.h"
#include "forms/PictureJob.h"
#include "forms/PngResource.h"
#include "forms/SingleForm.h"
#include "login/SplashScreen.h"
#include "update/CLumDownLoadFile.h"

#include <optional>

// The start-up window: checks that the machine is online, honours "/web"
// and shows the splash picture, then has the login screen load behind it.
class LoadFrm : public forms::SingleForm<LoadFrm>, public login::SplashScreen {
public:
    LoadFrm();
    ~LoadFrm() override;

    const forms::LayeredPicture& Splash() const { return picture_; }
    // The login background, drawn on a worker from when the splash shows;
    // false when no such work was started.
    bool TakeLoginPicture(forms::PngResource& png, forms::LayeredPicture& picture) override;
    void Close() override;

protected:
    void OnInitialize() override;
    void OnLoad() override;
    void OnUnload() override;

private:
    bool OfferRepair();
    void CheckUpdate();

    std::optional<CLumDownLoadFile> downloader_;
    std::optional<forms::PictureJob> splashJob_;
    std::optional<forms::PictureJob> loginJob_;
    forms::PngResource image_;
    forms::LayeredPicture picture_;
};
