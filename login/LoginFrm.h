#pragma once

#include "browser/BrowserPage.h"
#include "forms/Handles.h"
#include "forms/Picture.h"
#include "forms/SingleForm.h"

#include <memory>
#include <string>

// The login page over the login background: a window of the background's
// size and scale, shaped to the page (the browser in Picture1) and two small
// buttons drawn on the key colour. It shows the login screen once the page
// has loaded, and closes it when the page cannot be had; whichever of the
// two login windows goes takes the other and the splash with it.
class LoginFrm : public forms::SingleForm<LoginFrm> {
public:
    static constexpr COLORREF kKeyColour = 0x00FEFEFE;
    static constexpr int kWidthTwips = 18555;
    static constexpr int kHeightTwips = 10440;

    LoginFrm();
    ~LoginFrm() override;

    HWND Picture1() const { return picture1_; }
    HWND MiniBtn() const { return miniBtn_; }
    HWND CloseBtn() const { return closeBtn_; }

    // Every navigation request of the login browser that the engine lets
    // through, top document and frames alike: the top document stays on
    // operator hosts, and the page commands (app://) are answered here.
    void OnPageNavigation(const browser::Navigation& navigation, bool& cancel);

protected:
    void OnLoad() override;
    void OnUnload() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    HWND CreatePictureBox(int id, int leftTwips, int topTwips, int widthTwips, int heightTwips);
    void SetBackgroundIcons();
    void CreateWebBrowser();
    void NavigateLoginPage();
    void ShapeToPageAndButtons();
    // A design length at the login screen's DPI.
    int Px(int twips) const;
    void OnDocumentComplete(const std::wstring& url);
    void OnNavigateError(bool topLevel, browser::NavigationFailure failure);
    void EndOffline();
    void ShowLoginScreen();
    void OnButtonClick(int id);
    void ReleaseBrowser();

    HWND picture1_ = nullptr;
    HWND miniBtn_ = nullptr;
    HWND closeBtn_ = nullptr;
    forms::PicturePtr miniPicture_;
    forms::PicturePtr closePicture_;
    forms::GdiBrush keyBrush_;
    browser::BrowserPage browser_;
    bool loginShown_ = false;
    bool ending_ = false;
    int dpi_ = 0;
};
