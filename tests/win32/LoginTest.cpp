#include "browser/BrowserRelease.h"
#include "forms/Application.h"
#include "forms/CallbackBoundary.h"
#include "forms/ComPtr.h"
#include "forms/Host.h"
#include "forms/TempDir.h"
#include "game/Settings.h"
#include "login/LoginBgFrm.h"
#include "login/LoginFrm.h"
#include "login/LoginScreen.h"
#include "login/LoginWindows.h"
#include "mainwindow/WebMainFrm.h"
#include "resources/resource.h"
#include "startup/LoadFrm.h"
#include "tests/win32/FakeDesktop.h"
#include "tests/win32/ScriptedBrowser.h"
#include "tests/win32/TestWindows.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <functional>

namespace {

const std::wstring kPage = PublicData::LoginPageUrl;

// A window's rectangle in its parent's client coordinates.
RECT PlaceIn(HWND window, HWND parent) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ExpectPlace(HWND window, HWND parent, RECT expected, const char* what) {
    const RECT r = PlaceIn(window, parent);
    EXPECT_EQ(r.left, expected.left) << what;
    EXPECT_EQ(r.top, expected.top) << what;
    EXPECT_EQ(r.right - r.left, expected.right) << what << " width";
    EXPECT_EQ(r.bottom - r.top, expected.bottom) << what << " height";
}

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP bitmap{};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

class LoginTest : public testing::Test {
protected:
    void SetUp() override {
        login::LoginWindows::Bind();
        testing_support::ForgetStartupManifest();
        DeleteFileW(iconFile.c_str());
        ScriptedBrowser::Install();
    }
    void TearDown() override {
        if (LoginBgFrm::Exists()) {
            LoginBgFrm::Instance().Unload();
        }
        if (LoadFrm::Exists()) {
            LoadFrm::Instance().Unload();
        }
        EXPECT_TRUE(PumpUntil([] { return ScriptedBrowser::Alive().empty(); }))
            << "a browser outlived its windows";
        forms::Application::CancelEnd();
        ScriptedBrowser::Uninstall();
    }
    // Starts as a player does: the splash loads the login windows.
    ScriptedBrowser& Start() {
        LoadFrm::Instance().Show();
        testing_support::DrainPosted();
        ScriptedBrowser* browser = ScriptedBrowser::Inside(LoginFrm::Instance().hWnd());
        EXPECT_NE(browser, nullptr);
        return *browser;
    }
    // Runs posted work and timers as they fall due until `done` holds, for
    // at most 10 s; returns whether it holds.
    static bool PumpUntil(const std::function<bool()>& done) {
        return testing_support::PumpUntil(done, 10000);
    }
    // The message, then the login screen and the splash gone; the program
    // ends unless another window is loaded.
    void ExpectOfflineEnd(const char* why, bool programEnds = true) {
        ASSERT_EQ(dialogs.messages.size(), 1u)
            << why << ": " << testing::PrintToString(dialogs.messages.back().text);
        EXPECT_EQ(dialogs.messages[0].text, L"未能连接到服务器，请检查网络连接是否正常！") << why;
        EXPECT_EQ(dialogs.messages[0].caption, L"提示") << why;
        EXPECT_EQ(dialogs.messages[0].icon, forms::MsgIcon::Exclamation) << why;
        ExpectLoginScreenGone(why, programEnds);
    }
    static void ExpectLoginScreenGone(const char* why, bool programEnds = true) {
        EXPECT_FALSE(LoginBgFrm::Exists()) << why;
        EXPECT_FALSE(LoginFrm::Exists()) << why;
        EXPECT_FALSE(LoadFrm::Exists()) << why << ": the splash goes too";
        testing_support::DrainPosted();
        EXPECT_EQ(testing_support::TakeQuitRequest(), programEnds) << why << ": the program ends";
    }

    const std::wstring iconFile =
        forms::GetTempDir() + PublicData::GameCode + std::wstring(L".ico");
    testing_support::ScriptedDialogs dialogs;
};

TEST_F(LoginTest, LoadsBothWindowsHiddenWithTheDesignedPlacesOwnerShapeAndIcons) {
    ScriptedBrowser& browser = Start();
    LoginFrm& login = LoginFrm::Instance();
    LoginBgFrm& background = LoginBgFrm::Instance();
    EXPECT_FALSE(login.Visible());
    EXPECT_FALSE(background.Visible());
    EXPECT_TRUE(LoadFrm::Instance().Visible()) << "the splash stays while the page loads";

    ExpectPlace(login.Picture1(), login.hWnd(), {415, 179, 732, 425}, "Picture1");
    ExpectPlace(browser.Window(), login.Picture1(), {-1, -1, 751, 444}, "browser");
    ExpectPlace(login.MiniBtn(), login.hWnd(), {1120, 130, 28, 28}, "MiniBtn");
    ExpectPlace(login.CloseBtn(), login.hWnd(), {1152, 125, 34, 34}, "CloseBtn");
    EXPECT_TRUE(IsChild(login.Picture1(), browser.Window())) << "the container clips it";
    EXPECT_NE(GetWindowLongPtrW(login.Picture1(), GWL_STYLE) & WS_CLIPCHILDREN, 0);
    RECT client{};
    GetClientRect(login.hWnd(), &client);
    EXPECT_EQ(client.right, 1237);
    EXPECT_EQ(client.bottom, 696);
    EXPECT_EQ(background.Background().Width(), 1237);
    EXPECT_EQ(background.Background().Height(), 696);

    EXPECT_EQ(GetWindow(login.hWnd(), GW_OWNER), background.hWnd());
    EXPECT_EQ(GetWindowLongPtrW(login.hWnd(), GWL_EXSTYLE) & WS_EX_LAYERED, 0)
        << "no colour key reaches into the page";
    // Shaped to the page and the buttons' drawn pixels; the background elsewhere.
    const forms::GdiRegion shape(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(login.hWnd(), shape.get()), ERROR);
    EXPECT_TRUE(PtInRegion(shape.get(), 415, 179));
    EXPECT_TRUE(PtInRegion(shape.get(), 415 + 731, 179 + 424));
    EXPECT_FALSE(PtInRegion(shape.get(), 414, 300)) << "left of the page";
    EXPECT_FALSE(PtInRegion(shape.get(), 100, 300));
    EXPECT_TRUE(PtInRegion(shape.get(), 1120 + 14, 130 + 14)) << "the minimise button";
    EXPECT_TRUE(PtInRegion(shape.get(), 1152 + 17, 125 + 17)) << "the close button";
    EXPECT_FALSE(PtInRegion(shape.get(), 1120, 130)) << "its key-coloured corner";

    EXPECT_EQ(background.Caption(), L"Drelmoor2客户端");
    EXPECT_EQ(GetWindowLongPtrW(background.hWnd(), GWL_STYLE) &
                  (WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX),
              0)
        << "no Win+Up either";
    EXPECT_NE(GetWindowLongPtrW(background.hWnd(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_EQ(GetWindow(background.hWnd(), GW_OWNER), nullptr) << "its own taskbar button";

    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC icons = FindResourceW(module, MAKEINTRESOURCEW(IDR_ICON_FILE), L"ICON");
    EXPECT_EQ(testing_support::ReadFileBytes(iconFile).size(), SizeofResource(module, icons));
    auto icon = [&](WPARAM which) {
        return reinterpret_cast<HICON>(SendMessageW(background.hWnd(), WM_GETICON, which, 0));
    };
    EXPECT_EQ(IconWidth(icon(ICON_SMALL)), 16);
    EXPECT_EQ(IconWidth(icon(ICON_BIG)), 32);

    EXPECT_TRUE(browser.BeforeNavigate2.Connected()) << "page commands reach the window";
    EXPECT_EQ(browser.navigated, std::vector<std::wstring>{kPage});
    EXPECT_FALSE(browser.contextMenu) << "no context menu";
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(LoginTest, TheTopDocumentShowsBothTogetherRemovesTheSplashAndTheyMoveAsOne) {
    ScriptedBrowser& browser = Start();
    browser.url = L"about:blank";
    browser.html = L"<body></body>";
    browser.DocumentComplete(kPage + L"frame.html");
    EXPECT_FALSE(LoginBgFrm::Instance().Visible()) << "a frame's completion does not count";
    browser.Load(kPage, L"<head></head><body>login</body>", L"Drelmoor2");
    EXPECT_TRUE(browser.silent);
    LoginBgFrm& background = LoginBgFrm::Instance();
    LoginFrm& login = LoginFrm::Instance();
    EXPECT_TRUE(background.Visible());
    EXPECT_TRUE(login.Visible());
    EXPECT_EQ(login.Left(), background.Left());
    EXPECT_EQ(login.Top(), background.Top());
    EXPECT_FALSE(LoadFrm::Exists()) << "the splash is gone";
    EXPECT_TRUE(dialogs.messages.empty());

    SetWindowPos(background.hWnd(), nullptr, 37, 51, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT r{};
    GetWindowRect(login.hWnd(), &r);
    EXPECT_EQ(r.left, 37);
    EXPECT_EQ(r.top, 51);
    EXPECT_EQ(r.right - r.left, 1237) << "moved, not resized";

    browser.Fail(kPage + L"later", true);
    EXPECT_TRUE(dialogs.messages.empty()) << "a later failure leaves the login screen alone";
}

int pagePresses = 0;

LRESULT CALLBACK KeyColouredPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    pagePresses += message == WM_LBUTTONDOWN ? 1 : 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

// A page may draw the key colour: those pixels are the page's, shown and
// clicked as any other, and a press there does not drag the login screen.
TEST_F(LoginTest, AKeyColouredPixelInsideThePageTakesTheClick) {
    ScriptedBrowser& browser = Start();
    browser.Load(kPage, L"<body>login</body>", L"Drelmoor2");
    LoginBgFrm& background = LoginBgFrm::Instance();
    ASSERT_TRUE(background.Visible());
    pagePresses = 0;
    WNDCLASSW page{};
    page.lpszClassName = L"TavrinKeyColouredPage";
    page.hInstance = GetModuleHandleW(nullptr);
    page.hbrBackground = CreateSolidBrush(LoginFrm::kKeyColour);
    page.lpfnWndProc = &KeyColouredPageProc;
    RegisterClassW(&page);
    HWND patch = CreateWindowExW(0, page.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 200, 100, 60,
                                 60, browser.Window(), nullptr, page.hInstance, nullptr);
    ASSERT_NE(patch, nullptr);
    RedrawWindow(LoginFrm::Instance().hWnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    testing_support::DrainPosted();

    POINT at{230, 130};
    ClientToScreen(browser.Window(), &at);
    const forms::WindowDc screen(nullptr);
    EXPECT_EQ(GetPixel(screen.get(), at.x, at.y), LoginFrm::kKeyColour)
        << "the page's pixel shows, not the picture beneath";
    EXPECT_EQ(WindowFromPoint(at), patch);
    RECT before{};
    GetWindowRect(background.hWnd(), &before);
    testing_support::ClickWindowAt(WindowFromPoint(at), at);
    EXPECT_EQ(pagePresses, 1) << "the page took the press";
    RECT after{};
    GetWindowRect(background.hWnd(), &after);
    EXPECT_EQ(after.left, before.left) << "no drag";
    EXPECT_EQ(after.top, before.top);

    POINT picture{before.left + 100, before.top + 300};
    EXPECT_EQ(WindowFromPoint(picture), background.hWnd()) << "around the page, the picture";
    DestroyWindow(patch);
    UnregisterClassW(page.lpszClassName, page.hInstance);
    DeleteObject(page.hbrBackground);
}

TEST_F(LoginTest, StartsCentredOnTheMonitorThatHoldsThePointer) {
    FakeDesktop desktop({0, 0, 1280, 984});
    desktop.pointerOnLeft = true;
    Start().Load(kPage, L"<body>login</body>", L"Drelmoor2");
    for (HWND window : {LoginBgFrm::Instance().hWnd(), LoginFrm::Instance().hWnd()}) {
        RECT r{};
        GetWindowRect(window, &r);
        EXPECT_EQ(r.left, -1240 + (1240 - 1237) / 2);
        EXPECT_EQ(r.top, (984 - 696) / 2);
    }
}

TEST_F(LoginTest, ShowingAnOpenLoginScreenBringsItToTheFront) {
    Start().Load(kPage, L"<body>login</body>", L"Drelmoor2");
    const HWND background = LoginBgFrm::Instance().hWnd();
    LoginBgFrm::Instance().Minimize();
    const HWND other = testing_support::CreatePlainWindow(0, 0, 300, 300);
    ShowWindow(other, SW_SHOW);
    SetForegroundWindow(other);
    login::ShowLoginScreen();
    EXPECT_FALSE(IsIconic(background));
    EXPECT_EQ(GetForegroundWindow(), background);
    EXPECT_TRUE(LoginFrm::Instance().Visible()) << "the same login page, not a new one";
    DestroyWindow(other);
}

TEST_F(LoginTest, AnEmptyPageAFailedLoginPageOrNoEngineEndWithTheOfflineMessage) {
    const std::vector<std::pair<const char*, std::function<void(ScriptedBrowser&)>>> cases = {
        {"empty document", [](ScriptedBrowser& b) { b.Load(kPage, L"", L""); }},
        {"unreachable login page", [](ScriptedBrowser& b) {
             b.Fail(kPage + L"frame.html", false);
             b.Fail(kPage, true);
         }}};
    for (const auto& [why, happen] : cases) {
        happen(Start());
        ExpectOfflineEnd(why);
        TearDown();
        dialogs.messages.clear();
        SetUp();
    }

    forms::HostSwap host;
    const browser::BrowserFactory none = [](HWND) { return std::unique_ptr<browser::IBrowser>(); };
    host->Put(&none);
    LoadFrm::Instance().Show();
    EXPECT_TRUE(PumpUntil([this] { return !dialogs.messages.empty(); })) << "no message";
    ExpectOfflineEnd("no engine");
}

TEST_F(LoginTest, AnHttpErrorPageIsShownNotTheOfflineEnd) {
    ScriptedBrowser& browser = Start();
    browser.Fail(kPage, true, browser::NavigationFailure::ErrorPage);
    browser.Load(kPage, L"<body>503: down for maintenance</body>", L"维护");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(LoginFrm::Instance().Visible());
    EXPECT_FALSE(LoadFrm::Exists());
}

TEST_F(LoginTest, AFailedLoginPageReopenedFromTheGameLeavesTheGameRunning) {
    Start().Load(kPage, L"<body>login</body>", L"Drelmoor2");
    WebMainFrm& game = WebMainFrm::Instance();
    LoginBgFrm::Instance().Unload();
    EXPECT_TRUE(PumpUntil([] { return ScriptedBrowser::Alive().empty(); }));
    login::ShowLoginScreen(); // "登录其他帐号"
    EXPECT_TRUE(PumpUntil(
        [] { return LoginFrm::Exists() && ScriptedBrowser::Inside(LoginFrm::Instance().hWnd()); }));
    ScriptedBrowser* browser = ScriptedBrowser::Inside(LoginFrm::Instance().hWnd());
    ASSERT_NE(browser, nullptr);
    browser->Fail(kPage, true);
    ExpectOfflineEnd("reopened", false);
    EXPECT_TRUE(WebMainFrm::Exists());
    game.m_bExit = true; // no question
    game.Unload();
    testing_support::DrainPosted();
    EXPECT_TRUE(testing_support::TakeQuitRequest()) << "the last window ends the program";
}

TEST_F(LoginTest, ExitBeforeThePageCompletesOrAClosedBrowserWindowEndsTheWholeLoginScreen) {
    ScriptedBrowser& browser = Start();
    browser.url = kPage; // the top document is there, its frames still load
    EXPECT_TRUE(browser.RequestNavigation(L"app://exitgame"));
    ExpectLoginScreenGone("exitgame");
    EXPECT_TRUE(PumpUntil([] { return ScriptedBrowser::Alive().empty(); }));

    Start().Load(kPage, L"<body>login</body>", L"Drelmoor2");
    SendMessageW(LoginFrm::Instance().hWnd(), WM_CLOSE, 0, 0); // Alt+F4
    ExpectLoginScreenGone("closed");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(LoginTest, TheLoginPagesBlankTargetsGoToTheDefaultBrowser) {
    testing_support::RecordedLaunches launches;
    ScriptedBrowser& browser = Start();
    browser.Load(kPage, L"<body>login</body>", L"Drelmoor2");
    EXPECT_TRUE(browser.RequestNewWindow(L"http://www.example.com/"));
    EXPECT_TRUE(browser.RequestNewWindow(L"file:///C:/windows/win.ini"));
    ASSERT_EQ(launches.requests.size(), 1u);
    EXPECT_EQ(launches.requests[0].file, L"http://www.example.com/");
}

// No address is shown anywhere on the login screen: a look-alike page on
// another host would pass for the operator's. Frames show what they like.
TEST_F(LoginTest, TheTopDocumentStaysOnOperatorPagesWhatTheUserClickedIsOffered) {
    ScriptedBrowser& browser = Start();
    browser.Load(kPage, L"<body>login</body>", L"Drelmoor2");
    const std::wstring away = L"http://login.example/micro/";
    EXPECT_TRUE(browser.RequestNavigation(away, true, {kPage}, true));
    EXPECT_TRUE(browser.RequestNavigation(away + L"script", true, {kPage}, false));
    EXPECT_TRUE(browser.RequestNavigation(L"about:blank", true, {kPage}, true));
    EXPECT_EQ(browser.offered,
              (std::vector<std::wstring>{L"user " + away, L"page " + away + L"script",
                                         L"user about:blank"}))
        << "the engine's new-window gate decides";
    EXPECT_FALSE(browser.RequestNavigation(away, false));
    EXPECT_FALSE(browser.RequestNavigation(std::wstring(PublicData::GameSiteUrl) + L"help", true));
    EXPECT_TRUE(LoginFrm::Instance().Visible());
}

TEST_F(LoginTest, ButtonsMinimiseOrCloseTheLoginScreenAndTheBrowserGoesAfterItsEvent) {
    ScriptedBrowser& browser = Start();
    browser.Load(kPage, L"<body>login</body>", L"Drelmoor2");
    HWND background = LoginBgFrm::Instance().hWnd();
    HWND login = LoginFrm::Instance().hWnd();
    auto click = [](HWND button) {
        SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageW(button, WM_LBUTTONUP, 0, 0);
    };
    click(LoginFrm::Instance().MiniBtn());
    EXPECT_TRUE(IsIconic(background));
    ShowWindow(background, SW_RESTORE);

    click(LoginFrm::Instance().CloseBtn());
    EXPECT_FALSE(LoginBgFrm::Exists());
    EXPECT_FALSE(LoginFrm::Exists());
    EXPECT_FALSE(IsWindowVisible(background));
    EXPECT_TRUE(IsWindow(login)) << "hidden under the click, destroyed from the loop";
    testing_support::DrainPosted();
    EXPECT_TRUE(testing_support::TakeQuitRequest()) << "no window is left: the program ends";
    EXPECT_TRUE(PumpUntil([] { return ScriptedBrowser::Alive().empty(); }));
    EXPECT_FALSE(IsWindow(background));
    EXPECT_FALSE(IsWindow(login));

    auto late = std::make_unique<ScriptedBrowser>(nullptr);
    forms::Guarded(
        L"test", [&] { browser::ReleaseBrowser(std::move(late)); }, [] {});
    EXPECT_EQ(ScriptedBrowser::Alive().size(), 1u) << "not under its own event";
    EXPECT_TRUE(PumpUntil([] { return ScriptedBrowser::Alive().empty(); }));
}

TEST_F(LoginTest, AScreenReaderReadsBothButtonsAsNamedPushButtonsAndPressesThem) {
    ScriptedBrowser& browser = Start();
    browser.Load(kPage, L"<body>login</body>", L"Drelmoor2");
    const LoginFrm& login = LoginFrm::Instance();
    using Reading = std::pair<std::wstring, long>;
    EXPECT_EQ(testing_support::ReaderView(login.MiniBtn()),
              Reading(L"最小化", ROLE_SYSTEM_PUSHBUTTON));
    EXPECT_EQ(testing_support::ReaderView(login.CloseBtn()),
              Reading(L"关闭", ROLE_SYSTEM_PUSHBUTTON));
    EXPECT_NE(SendMessageW(login.CloseBtn(), STM_GETIMAGE, IMAGE_BITMAP, 0), 0)
        << "the name leaves the picture alone";

    forms::ComPtr<IAccessible> mini;
    ASSERT_HRESULT_SUCCEEDED(
        AccessibleObjectFromWindow(login.MiniBtn(), static_cast<DWORD>(OBJID_CLIENT),
                                   __uuidof(IAccessible), reinterpret_cast<void**>(mini.put())));
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    EXPECT_HRESULT_SUCCEEDED(mini->accDoDefaultAction(self));
    testing_support::DrainPosted();
    EXPECT_TRUE(IsIconic(LoginBgFrm::Instance().hWnd())) << "pressed as by a click";
}

} // namespace
