#include "browser/IeBrowser.h"

#include "browser/BrowserEvents.h"
#include "browser/BrowserKeys.h"
#include "browser/BrowserSite.h"
#include "forms/Bstr.h"
#include "forms/ComPtr.h"
#include "tests/win32/BrowserRecorder.h"
#include "tests/win32/FakeEvent.h"
#include "tests/win32/OperatorServer.h"
#include "tests/win32/TestWindows.h"

#include <exdispid.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <algorithm>
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
        browser = std::make_unique<browser::IeBrowser>(container);
        recorder = std::make_unique<BrowserRecorder>(*browser);
        recorder->cancelIf = [](const std::wstring& url) { return url.rfind(L"app:", 0) == 0; };
    }
    void TearDown() override {
        recorder.reset();
        browser.reset();
        DestroyWindow(container);
        testing_support::DrainPosted();
    }

    HWND container = nullptr;
    std::unique_ptr<browser::IeBrowser> browser;
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
    EXPECT_NE(dynamic_cast<browser::IeBrowser*>(browser::CreateBrowser(container).get()), nullptr)
        << "the default build ships the platform's control";
}

TEST_F(IeBrowserTest, ACancelledAppAddressGoesNoFurther) {
    browser->Navigate(L"app://exitgame");
    ASSERT_TRUE(recorder->WaitFor(L"before"));
    testing_support::DrainPosted();
    EXPECT_EQ(recorder->lines, Lines{L"before app://exitgame"});
    ASSERT_EQ(recorder->navigations.size(), 1u);
    EXPECT_TRUE(recorder->navigations[0].topLevel) << "the control's own navigation";
    EXPECT_EQ(recorder->navigations[0].documents, Lines{L""}) << "no document yet";
}

TEST_F(IeBrowserTest, AFailedNavigationIsReportedOnceAsTheTopDocuments) {
    const std::wstring missing = OperatorServer::Url(L"/status/404/login.html");
    browser->Navigate(missing);
    ASSERT_TRUE(recorder->WaitFor(L"error", 30000));
    testing_support::DrainPosted();
    EXPECT_EQ(recorder->lines,
              (Lines{L"before " + missing, L"download", L"error " + missing + L" top error-page"}));
    EXPECT_EQ(browser->RootInnerHtmlLength(), 0u);
}

// Every page that loads fails in this Wine, and brings no page: the login
// screen then ends with its offline message.
TEST_F(IeBrowserTest, APageThisWineCannotShowBringsNoPage) {
    OperatorServer::Serve(L"login.html", "<html><body>login</body></html>");
    const std::wstring page = OperatorServer::Url(L"/login.html");
    browser->Navigate(page);
    ASSERT_TRUE(recorder->WaitFor(L"error", 30000));
    testing_support::DrainPosted();
    EXPECT_EQ(recorder->lines,
              (Lines{L"before " + page, L"download", L"error " + page + L" top no-page"}));
}

using testing_support::FakeEvent;
using testing_support::Long;
using testing_support::Of;

TEST_F(IeBrowserTest, TheSinkTellsTheTopDocumentFromFramesAndAnswersBack) {
    const auto top = forms::MakeCom<browser::BrowserEvents>(*browser, nullptr, [] {});
    const auto frame = forms::MakeCom<browser::BrowserEvents>(*browser, nullptr, [] {});
    const auto sink = forms::MakeCom<browser::BrowserEvents>(*browser, top.get(), [] {});
    forms::Bstr app(L"app://minimize"), page(L"http://h/p");
    VARIANT appUrl = Of(VT_BSTR, app.get()), pageUrl = Of(VT_BSTR, page.get()), none = {};
    VARIANT_BOOL cancel = VARIANT_FALSE;

    for (IDispatch* source : {top.get(), frame.get()}) {
        FakeEvent({Of(VT_DISPATCH, source), Of(VT_BYREF | VT_VARIANT, &appUrl), none, none, none,
                   none, Of(VT_BYREF | VT_BOOL, &cancel)})
            .Send(*sink.get(), DISPID_BEFORENAVIGATE2);
        EXPECT_EQ(cancel, VARIANT_TRUE);
        cancel = VARIANT_FALSE;
    }
    ASSERT_EQ(recorder->navigations.size(), 2u);
    EXPECT_TRUE(recorder->navigations[0].topLevel);
    EXPECT_FALSE(recorder->navigations[1].topLevel);
    EXPECT_EQ(recorder->navigations[1].documents, Lines{L""}) << "no browser, no document";

    // NavigateError's status: a failure result or an HTTP status.
    VARIANT transport = Long(VT_I4, static_cast<long>(0x800C0005ul)), http = Long(VT_I4, 503);
    const std::pair<IDispatch*, VARIANT*> failures[] = {
        {frame.get(), &transport}, {top.get(), &http}, {top.get(), &http}};
    for (const auto& [source, status] : failures) {
        FakeEvent({Of(VT_DISPATCH, source), Of(VT_BYREF | VT_VARIANT, &pageUrl), none,
                   Of(VT_BYREF | VT_VARIANT, status), Of(VT_BYREF | VT_BOOL, &cancel)})
            .Send(*sink.get(), DISPID_NAVIGATEERROR);
    }
    EXPECT_EQ(recorder->lines,
              (Lines{L"before app://minimize", L"before app://minimize",
                     L"error http://h/p frame no-page", L"error http://h/p top error-page"}))
        << "one failure reported twice is heard once";
}

// NewWindow3 as the control raises it: (ppDisp, Cancel, dwFlags, bstrUrlContext, bstrUrl).
VARIANT_BOOL AskNewWindow(IDispatch& sink, VARIANT flags, const wchar_t* url) {
    forms::Bstr context(L"http://h/p"), address(url);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    IDispatch* created = nullptr;
    FakeEvent({Of(VT_BYREF | VT_DISPATCH, &created), Of(VT_BYREF | VT_BOOL, &cancel), flags,
               Of(VT_BSTR, context.get()), Of(VT_BSTR, address.get())})
        .Send(sink, DISPID_NEWWINDOW3);
    EXPECT_EQ(created, nullptr);
    return cancel;
}

TEST_F(IeBrowserTest, OnlyANewWindowTheUserAskedForGoesOnAndAtMostOneASecond) {
    const auto sink = forms::MakeCom<browser::BrowserEvents>(*browser, nullptr, [] {});
    const auto other = forms::MakeCom<browser::BrowserEvents>(*browser, nullptr, [] {});
    const long clicked = NWMF_USERINITED | NWMF_FIRST;
    EXPECT_EQ(AskNewWindow(*sink.get(), Long(VT_I4, NWMF_FIRST), L"http://h/script"), VARIANT_TRUE)
        << "a script's pop-up";
    EXPECT_EQ(AskNewWindow(*sink.get(), Long(VT_I4, clicked), L"http://h/clicked"), VARIANT_TRUE)
        << "no window of the control's own";
    EXPECT_EQ(AskNewWindow(*sink.get(), Long(VT_I4, clicked), L"http://h/again"), VARIANT_TRUE);
    EXPECT_EQ(AskNewWindow(*other.get(), Long(VT_I4, clicked), L"file:///C:/x"), VARIANT_TRUE)
        << "refused, and not counted against the rate";
    EXPECT_EQ(AskNewWindow(*other.get(), Long(VT_UI4, NWMF_USERINITED), L"http://h/u4"),
              VARIANT_TRUE);
    EXPECT_EQ(recorder->lines, (Lines{L"newwindow http://h/clicked", L"newwindow http://h/u4"}));

    // NewWindow2 (ppDisp, Cancel) says nothing of who asked: refused.
    VARIANT_BOOL cancel = VARIANT_FALSE;
    IDispatch* created = nullptr;
    FakeEvent({Of(VT_BYREF | VT_DISPATCH, &created), Of(VT_BYREF | VT_BOOL, &cancel)})
        .Send(*sink.get(), DISPID_NEWWINDOW2);
    EXPECT_EQ(cancel, VARIANT_TRUE);
    EXPECT_EQ(created, nullptr);
    EXPECT_EQ(recorder->lines.size(), 2u);
}

// WindowClosing (IsChildWindow, Cancel), as window.close() raises it.
TEST_F(IeBrowserTest, WindowCloseFromThePageIsCancelled) {
    const auto sink = forms::MakeCom<browser::BrowserEvents>(*browser, nullptr, [] {});
    for (VARIANT_BOOL child : {VARIANT_FALSE, VARIANT_TRUE}) {
        VARIANT_BOOL cancel = VARIANT_FALSE;
        FakeEvent({testing_support::Bool(child), Of(VT_BYREF | VT_BOOL, &cancel)})
            .Send(*sink.get(), DISPID_WINDOWCLOSING);
        EXPECT_EQ(cancel, VARIANT_TRUE);
    }
    EXPECT_TRUE(IsWindow(browser->Window()));
}

// Takes the key 'y' and leaves every other one.
class FakeControl final : public IOleInPlaceActiveObject {
public:
    STDMETHODIMP QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++references); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--references); }
    STDMETHODIMP GetWindow(HWND*) override { return E_NOTIMPL; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(LPMSG message) override {
        offered.push_back(static_cast<wchar_t>(message->wParam));
        return message->wParam == L'y' ? S_OK : S_FALSE;
    }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }

    std::wstring offered;
    int references = 1; // the engine's
};

TEST(BrowserKeys, KeysInsideTheHostReachTheControlFirstWhileItIsThere) {
    HWND host = testing_support::CreatePlainWindow(0, 0, 200, 100);
    HWND field = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, host,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND outside = testing_support::CreatePlainWindow(0, 0, 50, 50);
    FakeControl control;
    browser::BrowserKeys::Add(host, &control);
    EXPECT_EQ(control.references, 1) << "no reference of its own to release after OLE is gone";
    for (const wchar_t key : std::wstring(L"xy")) {
        PostMessageW(field, WM_CHAR, key, 0);
    }
    PostMessageW(outside, WM_CHAR, L'o', 0);
    testing_support::DrainPosted();
    browser::BrowserKeys::Remove(host);
    PostMessageW(field, WM_CHAR, L'z', 0);
    testing_support::DrainPosted();

    EXPECT_EQ(control.offered, L"xy");
    EXPECT_EQ(control.references, 1) << "each call's own reference given back";
    wchar_t text[16] = {};
    GetWindowTextW(field, text, 16);
    EXPECT_STREQ(text, L"xz") << "the key the control took went no further";
    DestroyWindow(outside);
    DestroyWindow(host);
}

TEST(BrowserSite, PagesAreLaidOutAtTheScreensDpiWithoutTheControlsOwnEdge) {
    auto* site = new browser::BrowserSite(nullptr);
    DOCHOSTUIINFO info{};
    EXPECT_EQ(site->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.dwFlags, DWORD{DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_DPI_AWARE});
    site->Release();
}

} // namespace
