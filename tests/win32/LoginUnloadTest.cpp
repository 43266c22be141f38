#include "browser/IeBrowser.h"
#include "forms/Application.h"
#include "forms/Host.h"
#include "game/Settings.h"
#include "login/LoginBgFrm.h"
#include "login/LoginFrm.h"
#include "login/LoginWindows.h"
#include "startup/LoadFrm.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The login screen unloaded from inside the platform control's own event.
// Under Wine the control raises BeforeNavigate2 for app:// addresses, so the
// order can be watched on the real thing: the event returns, then the engine
// goes, then the windows.
namespace {

using Log = std::vector<std::string>;

// The platform's control with a window on what happens to it. Only app://
// navigations reach it (nothing serves the login page here); the test says
// when the page has loaded.
class ObservedIe final : public browser::IBrowser {
public:
    ObservedIe(HWND container, Log& log, std::function<std::string()> windows)
        : inner_(std::make_unique<browser::IeBrowser>(container)), log_(log),
          windows_(std::move(windows)) {
        testing_support::Held() += inner_->BeforeNavigate2.Connect(
            [this](const browser::Navigation& navigation, bool& cancel) {
                log_.push_back("event " + windows_());
                // The real event's arguments, from the page this Wine cannot load.
                browser::Navigation asked = navigation;
                asked.documents = {DocumentUrl()};
                BeforeNavigate2(asked, cancel);
                log_.push_back("event returns " + windows_());
            });
    }
    ~ObservedIe() override {
        log_.push_back("engine released " + windows_());
        inner_.reset();
    }

    void Navigate(const std::wstring& url) override {
        if (url.rfind(L"app:", 0) == 0) {
            inner_->Navigate(url);
        }
    }
    void Refresh() override {}
    void SetSilent(bool silent) override { inner_->SetSilent(silent); }
    void Move(int left, int top, int width, int height) override {
        inner_->Move(left, top, width, height);
    }
    HWND Window() const override { return inner_->Window(); }
    std::size_t RootInnerHtmlLength() const override { return loaded ? 1 : 0; }
    std::wstring DocumentUrl() const override { return loaded ? PublicData::LoginPageUrl : L""; }
    void SetRootOverflow(const std::wstring&) override {}
    void SetContextMenuAnswer(bool allow) override { inner_->SetContextMenuAnswer(allow); }
    void OfferNewWindow(const std::wstring& url, bool userAsked) override {
        inner_->OfferNewWindow(url, userAsked);
    }

    bool loaded = false;

private:
    std::unique_ptr<browser::IeBrowser> inner_;
    Log& log_;
    std::function<std::string()> windows_;
};

// Which of the watched windows are there, and how.
std::string Describe(HWND engine, HWND login, HWND background) {
    auto state = [](HWND window) -> std::string {
        if (!IsWindow(window)) {
            return "gone";
        }
        return IsWindowVisible(window) ? "shown" : "hidden";
    };
    std::string owner = IsWindow(login) && GetWindow(login, GW_OWNER) == background ? " owned" : "";
    return "engine:" + state(engine) + " login:" + state(login) + owner +
           " background:" + state(background);
}

TEST(LoginUnload, TheRealControlsEventReturnsThenTheEngineGoesThenTheWindows) {
    // The start-up check would read a manifest left by another test.
    testing_support::ForgetStartupManifest();
    login::LoginWindows::Bind();
    testing_support::ScriptedDialogs dialogs;
    Log log;
    ObservedIe* engine = nullptr;
    HWND engineWindow = nullptr, login = nullptr, background = nullptr;
    forms::HostSwap host;
    const browser::BrowserFactory observed = [&](HWND container) {
        auto browser = std::make_unique<ObservedIe>(
            container, log, [&] { return Describe(engineWindow, login, background); });
        engine = browser.get();
        engineWindow = browser->Window();
        return std::unique_ptr<browser::IBrowser>(std::move(browser));
    };
    host->Put(&observed);
    LoadFrm::Instance().Show();
    testing_support::DrainPosted();
    ASSERT_NE(engine, nullptr) << "the login window made its engine";
    login = LoginFrm::Instance().hWnd();
    background = LoginBgFrm::Instance().hWnd();
    engine->loaded = true;
    engine->DocumentComplete(PublicData::LoginPageUrl);
    ASSERT_TRUE(IsWindowVisible(login)) << "the login screen shows";

    engine->Navigate(L"app://exitgame");
    ASSERT_TRUE(testing_support::PumpUntil([&] { return !IsWindow(background); }, 20000));
    EXPECT_EQ(log, (Log{"event engine:shown login:shown owned background:shown",
                        "event returns engine:hidden login:hidden background:hidden",
                        "engine released engine:hidden login:hidden background:hidden"}))
        << "hidden and out of the owner chain at once; the engine goes first, inside windows "
           "that are still there";
    EXPECT_FALSE(IsWindow(login));
    EXPECT_FALSE(IsWindow(engineWindow));
    EXPECT_FALSE(LoginFrm::Exists());
    EXPECT_TRUE(dialogs.messages.empty());
    testing_support::DrainPosted();
}

} // namespace
