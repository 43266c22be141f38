#include "login/IeBrowser.h"
#include "tests/win32/BrowserRecorder.h"
#include "tests/win32/OperatorServer.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// This Wine has no Gecko and the test prefix disables mshtml: the control is
// created, hosted and navigates, but every page load ends in NavigateError,
// about ten seconds after Navigate. No document ever exists.
namespace {

using testing_support::BrowserRecorder;
using testing_support::OperatorServer;
using Lines = std::vector<std::wstring>;

class IeBrowserTest : public testing::Test {
protected:
    void SetUp() override {
        container = testing_support::CreatePlainWindow(100, 100, 300, 200);
        browser = std::make_unique<login::IeBrowser>(container);
        recorder = std::make_unique<BrowserRecorder>(*browser);
        recorder->cancelIf = [](const std::wstring& url) { return url.rfind(L"app:", 0) == 0; };
    }
    void TearDown() override {
        recorder.reset();
        browser.reset();
        DestroyWindow(container);
        testing_support::PumpMessages();
    }

    HWND container = nullptr;
    std::unique_ptr<login::IeBrowser> browser;
    std::unique_ptr<BrowserRecorder> recorder;
};

TEST_F(IeBrowserTest, HostsTheControlInItsOwnChildWindowWithEventsConnected) {
    ASSERT_TRUE(browser->Hosted());
    EXPECT_TRUE(browser->Connected());
    EXPECT_EQ(GetParent(browser->Window()), container);
    EXPECT_NE(FindWindowExW(browser->Window(), nullptr, nullptr, nullptr), nullptr)
        << "the in-place active control made its window inside ours";
    browser->Move(-1, -1, 319, 219);
    RECT area = {};
    GetWindowRect(browser->Window(), &area);
    EXPECT_EQ(area.left, 99);
    EXPECT_EQ(area.right - area.left, 319) << "larger than its container";

    EXPECT_EQ(browser->RootInnerHtmlLength(), 0u) << "no document yet";
    EXPECT_EQ(browser->DocumentUrl(), L"");
    browser->SetRootOverflow(L"hidden");
    browser->SetSilent(true);
    browser->SetContextMenuAnswer(false);
    EXPECT_NE(dynamic_cast<login::IeBrowser*>(login::CreateBrowser(container).get()), nullptr)
        << "the default build ships the platform's control";
}

TEST_F(IeBrowserTest, ACancelledAppAddressGoesNoFurther) {
    browser->Navigate(L"app://exitgame");
    ASSERT_TRUE(recorder->WaitFor(L"before"));
    recorder->Settle(500);
    EXPECT_EQ(recorder->lines, Lines{L"before app://exitgame"});
}

TEST_F(IeBrowserTest, AFailedNavigationIsReportedOnceAsTheTopDocuments) {
    const std::wstring missing = OperatorServer::Url(L"/status/404/login.html");
    browser->Navigate(missing);
    ASSERT_TRUE(recorder->WaitFor(L"error", 30000));
    recorder->Settle(1000);
    EXPECT_EQ(recorder->lines,
              (Lines{L"before " + missing, L"download", L"error " + missing + L" top"}));
    EXPECT_EQ(browser->RootInnerHtmlLength(), 0u);
}

} // namespace
