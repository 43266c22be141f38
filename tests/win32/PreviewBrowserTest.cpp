#include "browser/preview/PreviewBrowser.h"

#include "forms/Application.h"
#include "tests/win32/BrowserRecorder.h"
#include "tests/win32/OperatorServer.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using testing_support::BrowserRecorder;
using testing_support::OperatorServer;
using Lines = std::vector<std::wstring>;

std::wstring Text(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

BOOL CALLBACK CollectButton(HWND child, LPARAM list) {
    if (_wcsicmp(ClassOf(child).c_str(), L"Button") == 0) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    }
    return TRUE;
}

// Every push button below root.
std::vector<HWND> Buttons(HWND root) {
    std::vector<HWND> found;
    EnumChildWindows(root, CollectButton, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND Button(HWND root, const std::wstring& caption) {
    for (HWND button : Buttons(root)) {
        if (Text(button) == caption) {
            return button;
        }
    }
    return nullptr;
}

class PreviewBrowserTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        OperatorServer::Serve(L"site/index.html",
                              "<html><head><title>Index &amp; more</title></head><body>"
                              "<a href=\"next.html\">Next</a> <a href='/site/stop.html'>Stop</a>"
                              "<a href=\"http://example.com/\" target=\"_blank\">Out</a>"
                              "<iframe src=\"frame.html\"></iframe></body></html>");
        OperatorServer::Serve(L"site/frame.html",
                              "<html><a href=\"inner.html\">Inner</a>"
                              "<a href='search-ms:query=x' target=_top>Search</a>"
                              "<a href='app://minimize' target=_top>Command</a></html>");
        OperatorServer::Serve(L"site/inner.html", "<html><p>inner</p></html>");
        OperatorServer::Serve(L"site/next.html", "<html><title>下一页</title></html>");
        OperatorServer::Serve(L"site/lost-frame.html",
                              "<html><iframe src='/status/404/x.html'></iframe></html>");
    }
    void SetUp() override {
        ASSERT_TRUE(OperatorServer::Available()) << "run through tests/with_operator.py";
        container = testing_support::CreatePlainWindow(100, 100, 400, 300);
        browser = std::make_unique<browser::PreviewBrowser>(container);
        browser->Move(-1, -1, 420, 320);
        recorder = std::make_unique<BrowserRecorder>(*browser);
    }
    void TearDown() override {
        recorder.reset();
        browser.reset();
        DestroyWindow(container);
        testing_support::DrainPosted();
    }
    // Loads the index page and forgets its events.
    void LoadIndex() {
        browser->Navigate(index);
        ASSERT_TRUE(recorder->WaitFor(L"complete " + index));
        recorder->lines.clear();
    }
    void Click(const std::wstring& caption) {
        HWND button = Button(browser->Window(), caption);
        ASSERT_NE(button, nullptr) << "no button " << testing::PrintToString(caption);
        SendMessageW(button, BM_CLICK, 0, 0);
    }

    const std::wstring site = OperatorServer::Url(L"/site/");
    const std::wstring index = site + L"index.html";
    HWND container = nullptr;
    std::unique_ptr<browser::PreviewBrowser> browser;
    std::unique_ptr<BrowserRecorder> recorder;
};

TEST_F(PreviewBrowserTest, ShowsTitleLinksAndFramesWithTheEventsInOrder) {
    browser->Navigate(index);
    EXPECT_TRUE(recorder->lines.empty()) << "events wait for the message loop";
    ASSERT_TRUE(recorder->WaitFor(L"complete " + index));
    EXPECT_EQ(recorder->lines, (Lines{L"before " + index, L"download", L"title Index & more",
                                      L"before " + site + L"frame.html", L"download",
                                      L"complete " + site + L"frame.html", L"complete " + index}));
    EXPECT_EQ(browser->DocumentUrl(), index);
    EXPECT_GT(browser->RootInnerHtmlLength(), 0u);

    HWND window = browser->Window();
    EXPECT_EQ(GetParent(window), container);
    RECT area = {};
    GetWindowRect(window, &area);
    EXPECT_EQ(area.right - area.left, 420) << "larger than its container";
    Lines captions;
    for (HWND button : Buttons(window)) {
        captions.push_back(Text(button));
        EXPECT_EQ(GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
        RECT place = {};
        GetWindowRect(button, &place);
        EXPECT_GT(place.right - place.left, 24) << "wide enough for its caption";
        EXPECT_LE(place.bottom, area.bottom) << "laid out inside the browser";
    }
    EXPECT_EQ(captions, (Lines{L"Next", L"Stop", L"Out", L"Inner", L"Search", L"Command"}));
    HWND frame = GetParent(Button(window, L"Inner"));
    EXPECT_NE(frame, GetParent(Button(window, L"Next")));
    EXPECT_TRUE(GetWindowLongW(frame, GWL_STYLE) & WS_BORDER) << "frames are set apart";
    EXPECT_NE(
        FindWindowExW(GetParent(Button(window, L"Next")), nullptr, L"Static", L"Index & more"),
        nullptr);
}

TEST_F(PreviewBrowserTest, ButtonsNavigateUnlessCancelledAndBlankTargetsAskForAWindow) {
    LoadIndex();
    recorder->cancelIf = [](const std::wstring& url) { return url.find(L"stop") != url.npos; };
    Click(L"Stop");
    Click(L"Out");
    ASSERT_TRUE(recorder->WaitFor(L"newwindow"));
    testing_support::DrainPosted();
    EXPECT_EQ(recorder->lines,
              (Lines{L"before " + site + L"stop.html", L"newwindow http://example.com/"}));
    EXPECT_EQ(browser->DocumentUrl(), index);

    recorder->lines.clear();
    recorder->navigations.clear();
    Click(L"Next");
    ASSERT_TRUE(recorder->WaitFor(L"complete"));
    ASSERT_EQ(recorder->navigations.size(), 1u);
    EXPECT_TRUE(recorder->navigations[0].topLevel);
    EXPECT_TRUE(recorder->navigations[0].userAsked) << "a click";
    EXPECT_EQ(recorder->lines, (Lines{L"before " + site + L"next.html", L"download",
                                      L"title 下一页", L"complete " + site + L"next.html"}));
    EXPECT_EQ(browser->DocumentUrl(), site + L"next.html");
    EXPECT_TRUE(Buttons(browser->Window()).empty());
}

TEST_F(PreviewBrowserTest, AFrameLinkNavigatesTheFrameOnly) {
    LoadIndex();
    recorder->navigations.clear();
    Click(L"Inner");
    ASSERT_TRUE(recorder->WaitFor(L"complete"));
    EXPECT_EQ(recorder->lines, (Lines{L"before " + site + L"inner.html", L"download",
                                      L"complete " + site + L"inner.html"}));
    ASSERT_EQ(recorder->navigations.size(), 1u);
    EXPECT_FALSE(recorder->navigations[0].topLevel);
    EXPECT_EQ(browser->DocumentUrl(), index);
    EXPECT_EQ(Button(browser->Window(), L"Inner"), nullptr);
    EXPECT_NE(Button(browser->Window(), L"Next"), nullptr);
}

// A frame's link aimed at the top: another program's scheme goes nowhere,
// a command reaches the owner with every document of the page, clicked by
// the user, and is cancelled whatever the owner answers.
TEST_F(PreviewBrowserTest, TheEnginesPolicyComesBeforeTheOwnerAndCommandsCarryThePage) {
    LoadIndex();
    recorder->navigations.clear();
    recorder->lines.clear();
    Click(L"Search");
    Click(L"Command");
    ASSERT_TRUE(recorder->WaitFor(L"before"));
    testing_support::DrainPosted();
    EXPECT_EQ(recorder->lines, Lines{L"before app://minimize"});
    ASSERT_EQ(recorder->navigations.size(), 1u);
    const browser::Navigation& command = recorder->navigations[0];
    EXPECT_TRUE(command.topLevel && command.userAsked);
    EXPECT_EQ(command.documents, (Lines{index, site + L"frame.html"}));
    EXPECT_EQ(browser->DocumentUrl(), index);
    EXPECT_NE(Button(browser->Window(), L"Command"), nullptr) << "the frame stays";
}

TEST_F(PreviewBrowserTest, ErrorPagesAreShownAndOnlyUnreachableHostsBringNoPage) {
    const std::wstring missing = OperatorServer::Url(L"/status/503/site/index.html");
    browser->Navigate(missing);
    ASSERT_TRUE(recorder->WaitFor(L"complete"));
    EXPECT_EQ(recorder->lines,
              (Lines{L"before " + missing, L"download", L"error " + missing + L" top error-page",
                     L"title " + missing, L"complete " + missing}))
        << "the server's page is shown";
    EXPECT_GT(browser->RootInnerHtmlLength(), 0u);

    recorder->lines.clear();
    const std::wstring closed = L"http://127.0.0.1:1/login.html"; // nothing listens there
    browser->Navigate(closed);
    ASSERT_TRUE(recorder->WaitFor(L"error", 30000));
    testing_support::DrainPosted();
    EXPECT_EQ(recorder->lines,
              (Lines{L"before " + closed, L"download", L"error " + closed + L" top no-page"}));

    recorder->lines.clear();
    browser->Navigate(site + L"lost-frame.html");
    ASSERT_TRUE(recorder->WaitFor(L"complete " + site + L"lost-frame.html"));
    const std::wstring lost = OperatorServer::Url(L"/status/404/x.html");
    EXPECT_NE(std::find(recorder->lines.begin(), recorder->lines.end(),
                        L"error " + lost + L" frame error-page"),
              recorder->lines.end());

    const std::wstring empty = OperatorServer::Url(L"/empty/site/index.html");
    browser->Navigate(empty);
    ASSERT_TRUE(recorder->WaitFor(L"complete " + empty));
    EXPECT_EQ(browser->RootInnerHtmlLength(), 0u);
    EXPECT_EQ(browser->DocumentUrl(), empty);
}

TEST_F(PreviewBrowserTest, ANavigationAskedForByAHandlerReplacesTheRunningOne) {
    forms::Connection once;
    once = browser->DownloadBegin.Connect([this, &once] {
        recorder->lines.push_back(L"download");
        once.Disconnect();
        browser->Navigate(site + L"next.html");
    });
    browser->Navigate(index);
    ASSERT_TRUE(recorder->WaitFor(L"complete"));
    testing_support::DrainPosted();
    EXPECT_EQ(recorder->lines,
              (Lines{L"before " + index, L"download", L"before " + site + L"next.html",
                     L"title 下一页", L"complete " + site + L"next.html"}));
}

TEST_F(PreviewBrowserTest, TheLoopRunsWhileAPageIsFetched) {
    // Work posted as the download begins runs before the page has come.
    testing_support::Held() += browser->DownloadBegin.Connect([this] {
        recorder->lines.push_back(L"download");
        forms::Application::Post([this] { recorder->lines.push_back(L"loop"); });
    });
    const std::wstring next = site + L"next.html";
    browser->Navigate(next);
    ASSERT_TRUE(recorder->WaitFor(L"complete"));
    EXPECT_EQ(recorder->lines, (Lines{L"before " + next, L"download", L"loop", L"title 下一页",
                                      L"complete " + next}));
}

} // namespace
