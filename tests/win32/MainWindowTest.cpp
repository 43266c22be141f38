#include "controls/ModGetTaskbarHei.h"
#include "forms/Application.h"
#include "forms/Units.h"
#include "login/LoginScreen.h"
#include "login/GameWindow.h"
#include "login/RunPageCommand.h"
#include "mainwindow/MainGameWindow.h"
#include "mainwindow/ModMsg.h"
#include "mainwindow/MsgFrm.h"
#include "mainwindow/WebMainFrm.h"
#include "startup/Settings.h"
#include "tests/win32/CacheEntries.h"
#include "tests/win32/FakeDesktop.h"
#include "tests/win32/ScriptedBrowser.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

// A game address on an operator host.
const std::wstring kSite = PublicData::GameSiteUrl;

// Answers the exit question by pressing one of the dialog's buttons.
class ExitAnswers final : public forms::DialogHost {
public:
    ExitAnswers() { forms::Dialogs::Install(this); }
    ~ExitAnswers() override { forms::Dialogs::Install(nullptr); }
    forms::MsgAnswer Message(const forms::MessageRequest& request) override {
        messages.push_back(request);
        return forms::MsgAnswer::Ok;
    }
    void Modal(forms::Form& form, forms::Form*) override {
        auto& dialog = dynamic_cast<MsgFrm&>(form);
        ++asked;
        caption = dialog.BForm1.Caption();
        dialog.Show();
        EXPECT_TRUE(
            testing_support::ClickMiddleOf((yes ? dialog.iButton1 : dialog.iButton2).hWnd()));
        dialogGone = !MsgFrm::Exists();
    }
    bool yes = false;
    int asked = 0;
    bool dialogGone = false;
    std::wstring caption;
    std::vector<forms::MessageRequest> messages;
};

class FakeLoginScreen final : public login::LoginScreen {
public:
    void Close() override { calls.push_back("close"); }
    void Minimize() override { calls.push_back("minimize"); }
    void Show() override { calls.push_back("show"); }
    std::vector<std::string> calls;
};

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ScriptedBrowser::Install();
        login::BindLoginScreen(&login);
        MainGameWindow::Bind();
    }
    void TearDown() override {
        answers.yes = true;
        WebMainFrm::UnloadIfLoaded();
        testing_support::PumpMessages();
        login::BindLoginScreen(nullptr);
        login::BindGameWindow(nullptr);
        ScriptedBrowser::Uninstall();
    }
    WebMainFrm& Main() { return WebMainFrm::Instance(); }
    // Gives a page command as the operator's login page does.
    static bool Command(const std::wstring& url, bool topLevel = true,
                        const std::wstring& document = std::wstring(PublicData::LoginPageUrl)) {
        bool cancel = false;
        login::RunPageCommand(login::Navigation{url, topLevel, document}, cancel);
        return cancel;
    }
    // Opens the game as the login page's command does.
    WebMainFrm& OpenGame(const std::wstring& url = kSite + L"play") {
        EXPECT_TRUE(Command(L"app://loadgame|" + url));
        return Main();
    }
    ScriptedBrowser* Page(int index) {
        ITabForm* form = Main().WebuTab.TabItems().Item(index)->Form();
        return ScriptedBrowser::Inside(reinterpret_cast<HWND>(form->hWnd()));
    }

    ExitAnswers answers;
    FakeLoginScreen login;
    testing_support::RecordedLaunches launches;
    std::vector<std::wstring> Opened() const {
        std::vector<std::wstring> files;
        for (const LaunchRequest& request : launches.requests) {
            files.push_back(request.file);
        }
        return files;
    }
};

TEST_F(MainWindowTest, LoadsMaximisedAboveTheTaskbarAndRestoresToTheCentredDesign) {
    WebMainFrm& main = OpenGame();
    EXPECT_EQ(login.calls, std::vector<std::string>{"close"});
    EXPECT_TRUE(main.Visible());
    const EdgeRules::Rect work = WorkAreaOfWindow(main.hWnd());
    const int screenW = work.right - work.left;
    const int screenH = work.bottom - work.top;
    RECT r = WindowRect(main.hWnd());
    EXPECT_EQ(r.left, work.left);
    EXPECT_EQ(r.top, work.top);
    EXPECT_EQ(r.right, work.right);
    EXPECT_EQ(r.bottom, work.bottom);
    EXPECT_TRUE(main.web_minmax.Value());
    EXPECT_EQ(GetWindowLongW(main.hWnd(), GWL_STYLE) & ~(WS_VISIBLE | WS_CLIPSIBLINGS),
              WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(main.Caption(), L"Drelmoor2客户端");
    EXPECT_EQ(main.WebBForm.Caption(), L"Drelmoor2");
    EXPECT_EQ(main.WebBForm.frmHwnd(), nullptr) << "no dragging while maximised";

    // Layout at this size, in twips from the right edges.
    // Twips become whole pixels: within one pixel.
    EXPECT_NEAR(main.Width() - main.web_close.Left(), 730, 14);
    EXPECT_NEAR(main.Width() - main.web_tool.Left(), 1825, 14);
    EXPECT_NEAR(main.ScaleWidth() - main.OtherUserBtn.Left(), 4850, 14);
    EXPECT_NEAR(main.WebuTab.Left(), 2300, 14);
    EXPECT_NEAR(main.WebuTab.Width(), main.ScaleWidth() - 7150, 14) << "to the pixel";
    RECT page{};
    GetWindowRect(main.pCnt->hWnd(), &page);
    MapWindowPoints(nullptr, main.hWnd(), reinterpret_cast<POINT*>(&page), 2);
    EXPECT_EQ(page.left, 4);
    EXPECT_EQ(page.right, screenW - 4);
    EXPECT_EQ(page.bottom, r.bottom - 4);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(main.hWnd(), region);
    RECT box{};
    GetRgnBox(region, &box);
    DeleteObject(region);
    EXPECT_EQ(box.right, screenW) << "the round region reaches the client area's edge";

    ASSERT_TRUE(testing_support::ClickMiddleOf(main.web_minmax.hWnd()));
    r = WindowRect(main.hWnd());
    EXPECT_EQ(r.right - r.left, 1036);
    EXPECT_EQ(r.bottom - r.top, 639);
    EXPECT_EQ(r.left, work.left + (screenW - 1036) / 2);
    EXPECT_EQ(r.top, work.top + (screenH - 639) / 2);
    EXPECT_EQ(main.WebBForm.frmHwnd(), main.hWnd());
    EXPECT_NEAR(main.Width() - main.web_close.Left(), 730, 14) << "layout follows the restore";
}

TEST_F(MainWindowTest, OpensOnThePointersMonitorAndRestoresCentredThere) {
    FakeDesktop desktop({0, 40, 1280, 1024});
    desktop.pointerOnLeft = true;
    WebMainFrm& main = OpenGame();
    const EdgeRules::Rect left = FakeDesktop::kLeftWork;
    RECT r = WindowRect(main.hWnd());
    EXPECT_EQ(r.left, left.left);
    EXPECT_EQ(r.top, left.top);
    EXPECT_EQ(r.right, left.right);
    EXPECT_EQ(r.bottom, left.bottom);
    main.web_minmax.SetValue(false);
    main.web_minmax.Click();
    r = WindowRect(main.hWnd());
    EXPECT_EQ(r.left, -1240 + (1240 - 1036) / 2);
    EXPECT_EQ(r.top, (984 - 639) / 2);

    desktop.pointerOnLeft = false;
    SetWindowPos(main.hWnd(), nullptr, 100, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    main.web_minmax.SetValue(true);
    main.web_minmax.Click();
    r = WindowRect(main.hWnd());
    EXPECT_EQ(r.top, 40) << "a taskbar at the top covers nothing";
    EXPECT_EQ(r.right, 1280);
}

TEST_F(MainWindowTest, RestoringWithManyTabsLaysThemOutInsideTheStrip) {
    const FakeDesktop desktop({0, 0, 1280, 984});
    WebMainFrm& main = OpenGame();
    for (int i = 1; i < 16; ++i) {
        main.SetURL(L"http://game.example/page" + std::to_wstring(i));
    }
    ASSERT_EQ(main.WebuTab.TabItems().Count(), 16);
    ASSERT_EQ(WindowRect(main.hWnd()).right, 1280);
    main.web_minmax.SetValue(false);
    main.web_minmax.Click();
    ASSERT_EQ(WindowRect(main.hWnd()).right - WindowRect(main.hWnd()).left, 1036);

    const int stripRight = main.OtherUserBtn.Left() - main.WebuTab.Left();
    EXPECT_LE(main.WebuTab.Width(), stripRight) << "the strip ends at 登录其他帐号";
    const int area = forms::TwipsToPixels(main.WebuTab.Width()) - main.WebuTab.TabLeftSize() -
                     main.WebuTab.TabRightSize();
    CTabItems& items = main.WebuTab.TabItems();
    for (int i = 0; i < items.Count(); ++i) {
        EXPECT_LE(items.Item(i)->Left() + items.Item(i)->Width(), area) << "tab " << i;
    }
    const int selected = main.WebuTab.Selected();
    EXPECT_EQ(selected, 15);
    const auto& last = *items.Item(selected);
    const double middle = main.WebuTab.TabLeftSize() + last.Left() + last.Width() / 2.0;
    EXPECT_EQ(main.WebuTab.HitTest(middle, 10).index, selected) << "the selected tab is reachable";
}

TEST_F(MainWindowTest, TabsPerAddressTitlesAndNewWindows) {
    WebMainFrm& main = OpenGame(kSite + L"Play");
    CTabItems& items = main.WebuTab.TabItems();
    ASSERT_EQ(items.Count(), 1);
    EXPECT_EQ(items.Item(0)->Caption(), L"Game" + kSite + L"Play");
    EXPECT_FALSE(main.Picture1->Visible());
    ScriptedBrowser* game = Page(0);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->navigated, (std::vector<std::wstring>{L"about:blank", kSite + L"Play"}));
    game->Load(kSite + L"Play", L"<p>game</p>", L"Drelmoor2 - 第一服");
    EXPECT_EQ(items.Item(0)->Caption(), L"Drelmoor2 - 第一服");
    EXPECT_EQ(game->overflow, L"hidden");
    EXPECT_TRUE(game->silent);

    main.SetURL(kSite + L"news");
    std::wstring upper = kSite + L"Play";
    for (wchar_t& c : upper) {
        c = static_cast<wchar_t>(towupper(c));
    }
    main.SetURL(upper);
    EXPECT_EQ(items.Count(), 2) << "same address in other letters: no second page";
    EXPECT_EQ(main.WebuTab.Selected(), 0);
    EXPECT_EQ(game->navigated.size(), 2u) << "selected, not reloaded";

    EXPECT_TRUE(game->RequestNewWindow(L"https://forum.example/t/1"));
    EXPECT_TRUE(game->RequestNewWindow(L"file:///C:/windows/system32/calc.exe"));
    EXPECT_TRUE(game->RequestNewWindow(L"javascript:alert(1)"));
    EXPECT_EQ(Opened(), std::vector<std::wstring>{L"https://forum.example/t/1"});
    EXPECT_EQ(items.Count(), 2) << "no page becomes a tab by itself";

    int button = 0, shift = 0;
    float x = 0, y = 0;
    main.WebuTab.OnMouseHover(0, button, shift, x, y);
    EXPECT_EQ(main.StripToolTip().Text(), L"Drelmoor2 - 第一服");
    main.WebuTab.OnMouseHover(-1, button, shift, x, y);
    EXPECT_EQ(main.StripToolTip().Text(), L"");

    ASSERT_TRUE(testing_support::ClickMiddleOf(main.GameSpaceBtn.hWnd()));
    EXPECT_EQ(Opened().back(), PublicData::GameSiteUrl);
    ASSERT_TRUE(testing_support::ClickMiddleOf(main.OtherUserBtn.hWnd()));
    EXPECT_EQ(login.calls.back(), "show");
    main.RunMenuCommand(WebMainFrm::refresh);
    EXPECT_EQ(game->refreshes, 1);
}

TEST_F(MainWindowTest, CloseRequestAsksOnceAndNoKeepsEverything) {
    WebMainFrm& main = OpenGame();
    main.SetURL(kSite + L"other");
    answers.yes = false;
    main.RunMenuCommand(WebMainFrm::exit);
    testing_support::PumpMessages();
    EXPECT_EQ(answers.asked, 1);
    EXPECT_EQ(answers.caption, L"Drelmoor2客户端");
    EXPECT_TRUE(answers.dialogGone);
    ASSERT_TRUE(WebMainFrm::Exists());
    EXPECT_EQ(main.WebuTab.TabItems().Count(), 2);

    SendMessageW(main.hWnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    testing_support::PumpMessages();
    EXPECT_EQ(answers.asked, 2) << "the system menu's close asks once";
    EXPECT_TRUE(WebMainFrm::Exists());

    main.WebuTab.TabItems().Remove(1, true);
    bool cancel = false;
    main.WebuTab.OnItemColose(0, cancel);
    testing_support::PumpMessages();
    EXPECT_TRUE(cancel) << "the last tab stays";
    EXPECT_EQ(answers.asked, 3);
    EXPECT_EQ(main.WebuTab.TabItems().Count(), 1);

    answers.yes = true;
    const HWND window = main.hWnd();
    EXPECT_TRUE(SendMessageW(window, WM_QUERYENDSESSION, 0, 0)) << "session end asks too";
    EXPECT_EQ(answers.asked, 4);
    SendMessageW(window, WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(main.m_bExit) << "another program cancelled the shutdown";
    answers.yes = false;
    main.RunMenuCommand(WebMainFrm::exit);
    testing_support::PumpMessages();
    EXPECT_EQ(answers.asked, 5) << "the next close asks again";
    ASSERT_TRUE(WebMainFrm::Exists());
    SendMessageW(window, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(answers.asked, 5) << "never asked while the session ends";
    EXPECT_FALSE(WebMainFrm::Exists());
    testing_support::PumpMessages();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(ScriptedBrowser::Alive().empty()) << "every page unloaded";
}

TEST_F(MainWindowTest, HotKeyTrayAndCacheCommand) {
    WebMainFrm& main = OpenGame();
    const HWND window = main.hWnd();
    const LPARAM f10 = MAKELPARAM(0, VK_F10);
    SendMessageW(window, WM_HOTKEY, ModMsg::kHotKeyId, f10);
    EXPECT_FALSE(IsWindowVisible(window));
    SendMessageW(window, WM_HOTKEY, ModMsg::kHotKeyId, f10);
    EXPECT_TRUE(IsWindowVisible(window));
    SendMessageW(window, CLumNotifyIcon::WM_NOTIFYICON, 1000, WM_LBUTTONUP);
    EXPECT_FALSE(IsWindowVisible(window));
    main.RunMenuCommand(WebMainFrm::hiderestore);
    EXPECT_TRUE(IsWindowVisible(window));

    const CLumNotifyIcon* tray = main.TrayIcon();
    ASSERT_NE(tray, nullptr);
    EXPECT_TRUE(tray->LastCallSucceeded());
    EXPECT_STREQ(tray->NotifyData().szTip, L"Drelmoor2客户端");
    EXPECT_EQ(tray->NotifyData().uCallbackMessage, 6242u);
    EXPECT_EQ(tray->NotifyData().hWnd, window);

    wchar_t caption[64] = {};
    GetMenuStringW(main.appmenu(), WebMainFrm::version, caption, 64, MF_BYCOMMAND);
    EXPECT_STREQ(caption, L"版本号:1.1.0");
    EXPECT_EQ(GetMenuItemCount(main.appmenu()), 7);

    main.RunMenuCommand(WebMainFrm::clearcache);
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].text, L"缓存已清理完毕！");
    EXPECT_EQ(answers.messages[0].caption, L"缓存清理");

    const testing_support::CacheEntryInUse inUse(L"http://game.example/shown.png");
    ASSERT_TRUE(inUse.Locked());
    main.RunMenuCommand(WebMainFrm::clearcache);
    ASSERT_EQ(answers.messages.size(), 2u);
    EXPECT_EQ(answers.messages[1].text, L"部分缓存正在使用，未能全部清理，请稍后再试！");
    EXPECT_EQ(answers.messages[1].caption, L"缓存清理");
    EXPECT_EQ(answers.messages[1].buttons, forms::MsgButtons::Ok);
}

TEST_F(MainWindowTest, ATaskbarCreatedBroadcastAddsTheTrayIconAgain) {
    WebMainFrm& main = OpenGame();
    NOTIFYICONDATAW probe = main.TrayIcon()->NotifyData();
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &probe)) << "as a restarting Explorer forgets it";
    ASSERT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0,
                        SMTO_ABORTIFHUNG, 10000, &result);
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe)) << "back in the tray";

    answers.yes = true;
    EXPECT_TRUE(main.Unload());
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe)) << "gone with the window's unload";
}

HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

// A DDE client on a thread of its own, as another program would be.
bool SendDdeExecute(const std::wstring& service, const std::vector<unsigned char>& command) {
    std::atomic<bool> done{false};
    bool accepted = false;
    std::thread client([&] {
        DWORD instance = 0;
        DdeInitializeW(&instance, &ClientCallback, APPCMD_CLIENTONLY, 0);
        HSZ serviceName = DdeCreateStringHandleW(instance, service.c_str(), CP_WINUNICODE);
        HSZ topic = DdeCreateStringHandleW(instance, WebMainFrm::kDdeTopic, CP_WINUNICODE);
        if (HCONV conv = DdeConnect(instance, serviceName, topic, nullptr)) {
            DWORD result = 0;
            accepted = DdeClientTransaction(const_cast<BYTE*>(command.data()),
                                            static_cast<DWORD>(command.size()), conv, nullptr, 0,
                                            XTYP_EXECUTE, 10000, &result) != nullptr;
            DdeDisconnect(conv);
        }
        DdeFreeStringHandle(instance, topic);
        DdeFreeStringHandle(instance, serviceName);
        DdeUninitialize(instance);
        done = true;
    });
    while (!done) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        testing_support::PumpMessages();
    }
    client.join();
    return accepted;
}

std::vector<unsigned char> Wide(const std::wstring& text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.c_str());
    return {bytes, bytes + (text.size() + 1) * sizeof(wchar_t)};
}

TEST_F(MainWindowTest, DdeExecuteOpensATabAndRestores) {
    WebMainFrm& main = OpenGame();
    ASSERT_TRUE(main.Dde() != nullptr && main.Dde()->Registered());
    ShowWindow(main.hWnd(), SW_MINIMIZE);
    SendMessageW(main.hWnd(), WM_HOTKEY, ModMsg::kHotKeyId, MAKELPARAM(0, VK_F10));
    ASSERT_FALSE(IsWindowVisible(main.hWnd())) << "hidden with F10 while minimised";
    const std::wstring service = forms::Application::ExeName();
    EXPECT_TRUE(SendDdeExecute(service, Wide(kSite + L"event")));
    EXPECT_TRUE(IsWindowVisible(main.hWnd()));
    EXPECT_FALSE(IsIconic(main.hWnd()));
    CTabItems& items = main.WebuTab.TabItems();
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(main.WebuTab.Selected(), 1);
    EXPECT_EQ(items.Item(1)->Caption(), L"Game" + kSite + L"event");

    EXPECT_TRUE(SendDdeExecute(service, Wide(L"https://other.example.org/news"))) << "any host";

    // Anything but a web address is answered "not processed" and opens nothing.
    ShowWindow(main.hWnd(), SW_MINIMIZE);
    for (const std::wstring& refused :
         {std::wstring(), std::wstring(L"file:///C:/windows/win.ini"),
          std::wstring(L"javascript:alert(1)"), L"http://g/" + std::wstring(100000, L'a'),
          std::wstring(L"not a url <%\"|\\>"), std::wstring(L"\\\\host\\share")}) {
        EXPECT_FALSE(SendDdeExecute(service, Wide(refused))) << refused.substr(0, 40);
    }
    EXPECT_FALSE(SendDdeExecute(service, {'x'}));
    EXPECT_EQ(items.Count(), 3);
    EXPECT_TRUE(IsIconic(main.hWnd())) << "a refused command leaves the window as it was";
}

TEST_F(MainWindowTest, PastThirtyTwoTabsANewAddressIsRefused) {
    WebMainFrm& main = OpenGame();
    CTabItems& items = main.WebuTab.TabItems();
    for (int i = 1; i < CTabItems::kMaxTabs; ++i) {
        main.SetURL(kSite + L"tab" + std::to_wstring(i));
    }
    ASSERT_EQ(items.Count(), CTabItems::kMaxTabs);
    const std::wstring service = forms::Application::ExeName();
    EXPECT_FALSE(SendDdeExecute(service, Wide(kSite + L"one-more")));
    EXPECT_EQ(items.Count(), CTabItems::kMaxTabs);
    EXPECT_TRUE(SendDdeExecute(service, Wide(kSite + L"tab5"))) << "an open address is selected";
    EXPECT_EQ(main.WebuTab.Selected(), 5);
}

TEST_F(MainWindowTest, PageCommandsActOnTheLoginScreen) {
    EXPECT_FALSE(Command(kSite + L"micro/?x=app://minimize")) << "ordinary text";
    EXPECT_TRUE(Command(L"app://minimize"));
    EXPECT_TRUE(Command(L"APP://EXITGAME/"));
    EXPECT_TRUE(Command(L"app://exitgame", false, L"http://ads.foreign.invalid/frame"));
    EXPECT_TRUE(Command(L"app://exitgame", true, L"http://foreign.invalid/"));
    EXPECT_TRUE(Command(L"app://loadgame")) << "without an address the login screen stays";
    EXPECT_TRUE(Command(L"app://loadgame|http://foreign.invalid/game"));
    EXPECT_TRUE(Command(L"app://loadgame|file:///C:/"));
    EXPECT_EQ(login.calls, (std::vector<std::string>{"minimize", "close"}));
    EXPECT_FALSE(WebMainFrm::Exists());

    OpenGame(kSite + L"a|ignored");
    OpenGame(kSite + L"b");
    EXPECT_EQ(Main().WebuTab.TabItems().Count(), 2) << "a second load reaches the same window";
    EXPECT_EQ(Main().WebuTab.TabItems().Item(0)->Caption(), L"Game" + kSite + L"a");
}

TEST(TrayIcon, GoesWhenItsObjectEnds) {
    const HWND window = testing_support::CreatePlainWindow(0, 0, 50, 50);
    NOTIFYICONDATAW probe{};
    {
        CLumNotifyIcon icon;
        icon.AddNotifyIcon(window, nullptr, std::wstring(200, L'长'));
        ASSERT_TRUE(icon.LastCallSucceeded());
        EXPECT_EQ(std::wstring(icon.NotifyData().szTip).size(), 127u) << "cut to the field";
        probe = icon.NotifyData();
        EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe));
    }
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe)) << "no icon left to change";
    DestroyWindow(window);
}

} // namespace
