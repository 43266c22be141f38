#include "login/IeBrowser.h"
#include "tests/win32/BrowserRecorder.h"
#include "tests/win32/OperatorServer.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using testing_support::BrowserRecorder;
using testing_support::OperatorServer;

class IeBrowserTest : public testing::Test {
protected:
    void SetUp() override {
        container = testing_support::CreatePlainWindow(100, 100, 300, 200);
        browser = std::make_unique<login::IeBrowser>(container);
        recorder = std::make_unique<BrowserRecorder>(*browser);
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

TEST_F(IeBrowserTest, Experiment) {
    EXPECT_TRUE(browser->Hosted());
    EXPECT_TRUE(browser->Connected());
    recorder->cancelIf = [](const std::wstring& url) { return url.rfind(L"app:", 0) == 0; };
    browser->Navigate(L"app://exitgame");
    recorder->Settle(2000);
    browser->Navigate(OperatorServer::Url(L"/status/404/x"));
    recorder->Settle(3000);
    browser->Navigate(OperatorServer::Url(L"/x.html"));
    recorder->Settle(3000);
    browser->Navigate(L"http://127.0.0.1:1/");
    recorder->Settle(3000);
    for (const auto& line : recorder->lines) {
        wprintf(L"%ls\n", line.c_str());
    }
    wprintf(L"len %u url %ls\n", (unsigned)browser->RootInnerHtmlLength(),
            browser->DocumentUrl().c_str());
}

} // namespace
