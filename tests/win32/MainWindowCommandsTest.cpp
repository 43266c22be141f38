#include "mainwindow/BringForward.h"
#include "tests/win32/MainWindowFixture.h"

namespace {

using namespace main_window_test;

TEST_F(MainWindowTest, CloseRequestAsksOnceAndNoKeepsEverything) {
    WebMainFrm& main = OpenGame();
    main.SetURL(kSite + L"other");
    answers.yes = false;
    main.RunMenuCommand(WebMainFrm::exit);
    testing_support::DrainPosted();
    EXPECT_EQ(answers.asked, 1);
    EXPECT_EQ(answers.caption, L"Drelmoor2客户端");
    EXPECT_TRUE(answers.dialogGone);
    ASSERT_TRUE(WebMainFrm::Exists());
    EXPECT_EQ(main.WebuTab.TabItems().Count(), 2);

    SendMessageW(main.hWnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    testing_support::DrainPosted();
    EXPECT_EQ(answers.asked, 2) << "the system menu's close asks once";
    EXPECT_TRUE(WebMainFrm::Exists());

    main.WebuTab.TabItems().Remove(1, true);
    bool cancel = false;
    main.WebuTab.OnItemColose(0, cancel);
    testing_support::DrainPosted();
    EXPECT_TRUE(cancel) << "the last tab stays";
    EXPECT_EQ(answers.asked, 3);
    EXPECT_EQ(main.WebuTab.TabItems().Count(), 1);

    // A session end asks nothing, also with the window hidden by F10, and
    // ends quietly: nothing is left when its message returns.
    const HWND window = main.hWnd();
    SendMessageW(window, WM_HOTKEY, ModMsg::kHotKeyId, MAKELPARAM(0, VK_F10));
    ASSERT_FALSE(IsWindowVisible(window));
    EXPECT_NE(SendMessageW(window, WM_QUERYENDSESSION, 0, 0), FALSE);
    EXPECT_EQ(answers.asked, 3) << "no question";
    SendMessageW(window, WM_ENDSESSION, FALSE, 0);
    ASSERT_TRUE(WebMainFrm::Exists()) << "another program cancelled the shutdown";
    main.RunMenuCommand(WebMainFrm::exit);
    testing_support::DrainPosted();
    EXPECT_EQ(answers.asked, 4) << "the next close asks";
    ASSERT_TRUE(WebMainFrm::Exists());
    SendMessageW(window, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(answers.asked, 4) << "never asked while the session ends";
    EXPECT_FALSE(WebMainFrm::Exists());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(ScriptedBrowser::Alive().empty()) << "every page released";
    EXPECT_TRUE(answers.messages.empty()) << "no message";
    EXPECT_TRUE(forms::Application::Ending());
    forms::Application::CancelEnd();
    testing_support::DrainPosted();
}

// What another start of the client asks for: the game window back from the
// tray and from the taskbar.
TEST_F(MainWindowTest, BroughtForwardWhenHiddenOrMinimised) {
    const HWND window = OpenGame().hWnd();
    SendMessageW(window, CLumNotifyIcon::WM_NOTIFYICON, 1000, WM_LBUTTONUP);
    ASSERT_FALSE(IsWindowVisible(window));
    BringClientForward();
    EXPECT_TRUE(IsWindowVisible(window));
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window));
    BringClientForward();
    EXPECT_FALSE(IsIconic(window));
    EXPECT_TRUE(IsWindowVisible(window));
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
    // The transaction gives up after 10 s on its own.
    testing_support::PumpUntil([&] { return done.load(); }, 30000);
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

    // Behind another window, the tab's window comes to the front.
    HWND other = testing_support::CreatePlainWindow(0, 0, 50, 50);
    ShowWindow(other, SW_SHOW);
    ASSERT_TRUE(SetForegroundWindow(other));
    EXPECT_TRUE(SendDdeExecute(service, Wide(L"https://other.example.org/news"))) << "any host";
    EXPECT_EQ(GetForegroundWindow(), main.hWnd());
    DestroyWindow(other);

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
    SendMessageW(main.hWnd(), WM_HOTKEY, ModMsg::kHotKeyId, MAKELPARAM(0, VK_F10));
    ASSERT_FALSE(IsWindowVisible(main.hWnd()));
    const std::wstring service = forms::Application::ExeName();
    EXPECT_FALSE(SendDdeExecute(service, Wide(kSite + L"one-more")));
    EXPECT_EQ(items.Count(), CTabItems::kMaxTabs);
    EXPECT_FALSE(IsWindowVisible(main.hWnd())) << "refused before the window is shown";
    EXPECT_TRUE(SendDdeExecute(service, Wide(kSite + L"tab5"))) << "an open address is selected";
    EXPECT_EQ(main.WebuTab.Selected(), 5);
    EXPECT_TRUE(IsWindowVisible(main.hWnd()));
}

TEST_F(MainWindowTest, PageCommandsActOnTheLoginScreen) {
    EXPECT_FALSE(Command(kSite + L"micro/?x=app://minimize")) << "ordinary text";
    EXPECT_TRUE(Command(L"app://minimize"));
    EXPECT_TRUE(Command(L"APP://EXITGAME/"));
    EXPECT_TRUE(Command(L"app://exitgame", false, L"http://ads.foreign.invalid/frame"));
    EXPECT_TRUE(Command(L"app://exitgame", true, L"http://foreign.invalid/"));
    EXPECT_TRUE(Command(L"app://exitgame", true, L"http://127.0.0.1:9/")) << "another port";
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
