// The WebView2 engine behind IBrowser, against the stand-in runtime: the
// same events, trust and release as the platform control's engine.
#include "browser/BrowserRelease.h"
#include "browser/webview2/WebView2Browser.h"
#include "game/Settings.h"
#include "login/core/PageCommand.h"
#include "tests/win32/BrowserRecorder.h"
#include "tests/win32/TestWindows.h"
#include "tests/win32/webview2/StandInFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using testing_support::BrowserRecorder;
using testing_support::PumpUntil;
using testing_support::StandInLog;

class WebView2ContractTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(standIn.runtime, nullptr);
        ASSERT_NE(standIn.control, nullptr);
        standIn.control->Reset();
        container = testing_support::CreatePlainWindow(0, 0, 400, 300);
    }
    void TearDown() override {
        browser.reset();
        testing_support::DrainPosted();
        DestroyWindow(container);
    }

    // An engine whose creation has completed.
    void Open() {
        browser = std::make_unique<browser::WebView2Browser>(container, standIn.runtime);
        ASSERT_TRUE(PumpUntil([this] { return browser->Ready(); }, 5000));
    }
    // The login page's top document, loaded and measured.
    void LoadTop(BrowserRecorder& recorder, const std::wstring& url) {
        ASSERT_EQ(standIn.control->RaiseNavigationStarting(url.c_str(), false, false), 0);
        standIn.control->SetSource(url.c_str());
        standIn.control->RaiseNavigationCompleted(true, 0);
        ASSERT_TRUE(recorder.WaitFor(L"complete " + url, 5000));
    }
    static bool Logged(const std::wstring& line) {
        const auto log = StandInLog();
        return std::find(log.begin(), log.end(), line) != log.end();
    }

    const testing_support::LoadedStandIn& standIn = testing_support::StandInRuntime();
    const std::wstring login = PublicData::LoginPageUrl;
    HWND container = nullptr;
    std::unique_ptr<browser::WebView2Browser> browser;
};

TEST_F(WebView2ContractTest, CallsBeforeCreationWaitInOrderAndTheSettingsLockTheRuntimeDown) {
    standIn.control->HoldCreation(true);
    browser = std::make_unique<browser::WebView2Browser>(container, standIn.runtime);
    browser->Navigate(L"http://one.example/");
    browser->Move(-15, -15, 430, 330);
    browser->Refresh();
    browser->Navigate(L"http://two.example/");
    browser->SetContextMenuAnswer(false);
    testing_support::DrainPosted();
    EXPECT_FALSE(browser->Ready());
    EXPECT_FALSE(Logged(L"WebView.Navigate http://one.example/"));
    standIn.control->ReleaseCreation();
    ASSERT_TRUE(PumpUntil([this] { return browser->Ready(); }, 5000));

    const auto log = StandInLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front().rfind(L"CreateEnvironment " + testing_support::StandInFolder() + L"|", 0),
              0u);
    EXPECT_NE(log.front().find(L"\\Tavrin\\WebView2"), std::wstring::npos) << log.front();
    for (const wchar_t* setting :
         {L"Settings.put_AreDevToolsEnabled 0", L"Settings.put_AreDefaultContextMenusEnabled 0",
          L"Settings.put_AreHostObjectsAllowed 0", L"Settings.put_IsWebMessageEnabled 0",
          L"Settings.put_IsStatusBarEnabled 0", L"Settings.put_IsZoomControlEnabled 0",
          L"Settings.put_AreDefaultScriptDialogsEnabled 1",
          L"Settings.put_IsGeneralAutofillEnabled 0",
          L"Settings.put_IsPasswordAutosaveEnabled 0"}) {
        EXPECT_TRUE(Logged(setting)) << setting;
    }
    // What was asked before, in its order, after the page is in place.
    std::vector<std::wstring> calls;
    for (const std::wstring& line : log) {
        if (line.rfind(L"WebView.Navigate", 0) == 0 || line == L"WebView.Reload" ||
            line.rfind(L"Controller.put_", 0) == 0) {
            calls.push_back(line);
        }
    }
    EXPECT_EQ(calls, (std::vector<std::wstring>{
                         L"Controller.put_Bounds 0,0,430,330", L"Controller.put_IsVisible 1",
                         L"WebView.Navigate http://one.example/", L"WebView.Reload",
                         L"WebView.Navigate http://two.example/"}));
}

TEST_F(WebView2ContractTest, ALoginRaisesStartCompleteAndTitleAndKeepsTheRootStyle) {
    Open();
    BrowserRecorder recorder(*browser);
    browser->SetRootOverflow(L"hidden");
    browser->Navigate(login);
    LoadTop(recorder, login);
    standIn.control->SetTitle(L"Drelmoor");
    standIn.control->RaiseDocumentTitleChanged();
    EXPECT_EQ(recorder.lines, (std::vector<std::wstring>{L"before " + login, L"download",
                                                         L"complete " + login, L"title Drelmoor"}));
    EXPECT_EQ(browser->RootInnerHtmlLength(), 1234u);
    EXPECT_EQ(browser->DocumentUrl(), login);
    const auto log = StandInLog();
    const auto script = std::find_if(log.begin(), log.end(), [](const std::wstring& line) {
        return line.rfind(L"WebView.ExecuteScript", 0) == 0;
    });
    ASSERT_NE(script, log.end());
    EXPECT_NE(script->find(L"overflow='hidden'"), std::wstring::npos);
    // A page the script cannot read counts as empty.
    standIn.control->SetScriptResult(L"null");
    standIn.control->RaiseNavigationCompleted(true, 0);
    ASSERT_TRUE(PumpUntil([&] { return recorder.lines.size() == 5; }, 5000));
    EXPECT_EQ(browser->RootInnerHtmlLength(), 0u);
}

// The top document's command counts; a foreign frame's, or one while a
// foreign frame is in the page, does not, and both are cancelled.
TEST_F(WebView2ContractTest, ACommandCountsFromTheOperatorsTopDocumentOnly) {
    Open();
    BrowserRecorder recorder(*browser);
    std::vector<login::PageCommandKind> decided;
    auto decide = browser->BeforeNavigate2.Connect([&](browser::Navigation navigation, bool&) {
        if (login::IsAppAddress(navigation.url)) {
            decided.push_back(
                login::DecidePageCommand(navigation, PublicData::OperatorHosts()).command.kind);
        }
    });
    LoadTop(recorder, login);
    EXPECT_EQ(standIn.control->RaiseNavigationStarting(L"app://exitgame", true, false), 1);
    EXPECT_EQ(standIn.control->RaiseNavigationStarting(L"http://ads.example.net/x", false, true),
              0);
    EXPECT_EQ(standIn.control->RaiseNavigationStarting(L"app://exitgame", true, true), 1);
    EXPECT_EQ(standIn.control->RaiseNavigationStarting(L"app://exitgame", true, false), 1);
    // A new document of the operator's: the foreign frame went with the old.
    recorder.lines.clear();
    LoadTop(recorder, login);
    EXPECT_EQ(standIn.control->RaiseNavigationStarting(L"app://exitgame", true, false), 1);
    EXPECT_EQ(decided, (std::vector<login::PageCommandKind>{
                           login::PageCommandKind::ExitGame, login::PageCommandKind::None,
                           login::PageCommandKind::None, login::PageCommandKind::ExitGame}));
    // A frame the engine could not keep counts as foreign: past its limit, a
    // new document's foreign frame is not lost with the old document's.
    decided.clear();
    recorder.lines.clear();
    for (int i = 0; i < 300; ++i) {
        standIn.control->RaiseNavigationStarting(login.c_str(), false, true);
    }
    ASSERT_EQ(standIn.control->RaiseNavigationStarting(login.c_str(), false, false), 0);
    standIn.control->RaiseNavigationStarting(L"http://ads.example.net/x", false, true);
    standIn.control->RaiseNavigationCompleted(true, 0);
    ASSERT_TRUE(recorder.WaitFor(L"complete " + login, 5000));
    EXPECT_EQ(standIn.control->RaiseNavigationStarting(L"app://exitgame", true, false), 1);
    EXPECT_EQ(decided, (std::vector<login::PageCommandKind>{login::PageCommandKind::None}));
    // Other programs' schemes never pass, whoever navigates.
    EXPECT_EQ(standIn.control->RaiseNavigationStarting(L"file:///C:/x.exe", true, false), 1);
    EXPECT_EQ(standIn.control->RaiseNavigationStarting(L"ms-settings:", true, true), 1);
}

TEST_F(WebView2ContractTest, OnlyTheUsersNewWindowsLeaveAndNoneOpensInTheRuntime) {
    Open();
    BrowserRecorder recorder(*browser);
    EXPECT_EQ(standIn.control->RaiseNewWindowRequested(L"https://example.com/news", true), 1);
    EXPECT_EQ(recorder.lines, (std::vector<std::wstring>{L"newwindow https://example.com/news"}));
    recorder.lines.clear();
    // A script's pop-up, and window.close(): handled, and nothing happens.
    EXPECT_EQ(standIn.control->RaiseNewWindowRequested(L"https://example.com/ad", false), 1);
    EXPECT_EQ(standIn.control->RaiseWindowCloseRequested(), 0);
    EXPECT_TRUE(recorder.lines.empty());
}

TEST_F(WebView2ContractTest, ATransportFailureIsNoPageAndAnHttpErrorPageIsShown) {
    Open();
    BrowserRecorder recorder(*browser);
    ASSERT_EQ(standIn.control->RaiseNavigationStarting(login.c_str(), false, false), 0);
    standIn.control->RaiseNavigationCompleted(false, 12); // cannot connect
    EXPECT_EQ(recorder.lines, (std::vector<std::wstring>{L"before " + login, L"download",
                                                         L"error " + login + L" top no-page"}));
    testing_support::DrainPosted();
    EXPECT_EQ(recorder.lines.size(), 3u) << "no document after a transport failure";
    recorder.lines.clear();
    // A 503 maintenance page: an error, and the server's page is shown.
    ASSERT_EQ(standIn.control->RaiseNavigationStarting(login.c_str(), false, false), 0);
    standIn.control->SetSource(login.c_str());
    standIn.control->RaiseNavigationCompleted(false, 0);
    ASSERT_TRUE(recorder.WaitFor(L"complete " + login, 5000));
    EXPECT_EQ(recorder.lines, (std::vector<std::wstring>{L"before " + login, L"download",
                                                         L"error " + login + L" top error-page",
                                                         L"complete " + login}));
}

TEST_F(WebView2ContractTest, FailedCreationFailsEveryNavigation) {
    standIn.control->FailCreation(E_FAIL);
    browser = std::make_unique<browser::WebView2Browser>(container, standIn.runtime);
    BrowserRecorder recorder(*browser);
    browser->Navigate(login);
    ASSERT_TRUE(recorder.WaitFor(L"error " + login + L" top no-page", 5000));
    EXPECT_FALSE(browser->Ready());
}

// Released from inside its own event, the engine closes after the event
// returns, with its host window still there; released otherwise, at once.
TEST_F(WebView2ContractTest, ReleaseClosesThePageBeforeTheHostWindowGoes) {
    Open();
    std::unique_ptr<browser::IBrowser> held(std::move(browser));
    bool raised = false;
    auto release = held->TitleChange.Connect([&](std::wstring) {
        raised = true;
        browser::ReleaseBrowser(std::move(held));
    });
    standIn.control->RaiseDocumentTitleChanged();
    EXPECT_TRUE(raised);
    EXPECT_FALSE(Logged(L"Controller.Close host-alive")) << "not inside its own event";
    testing_support::DrainPosted();
    EXPECT_EQ(held, nullptr);
    EXPECT_TRUE(Logged(L"Controller.Close host-alive"));
    EXPECT_TRUE(Logged(L"WebView.remove_NavigationStarting"));
    EXPECT_TRUE(Logged(L"WebView.remove_WindowCloseRequested"));
    EXPECT_EQ(standIn.control->RaiseDocumentTitleChanged(), -1) << "no handler left";

    standIn.control->Reset();
    Open();
    browser::ReleaseBrowser(std::move(browser));
    EXPECT_TRUE(Logged(L"Controller.Close host-alive"));
}

} // namespace
