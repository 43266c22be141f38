#include "controls/ButtonAccessible.h"
#include "tests/win32/MainWindowFixture.h"
#include "tests/win32/TestWindows.h"

namespace {

using namespace main_window_test;

std::wstring MenuText(HMENU menu, UINT item) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, item, text, 64, MF_BYCOMMAND);
    return text;
}

TEST_F(MainWindowTest, F10HeldByAnotherWindowLeavesTheMenuWithoutItAndTheTraySaysSoOnce) {
    HWND other = testing_support::CreatePlainWindow(0, 0, 10, 10);
    {
        WebMainFrm& main = OpenGame();
        EXPECT_EQ(MenuText(main.appmenu(), WebMainFrm::hiderestore), L"隐藏/恢复(F10)");
        EXPECT_STREQ(main.TrayIcon()->NotifyData().szInfo, L"") << "nothing to say";
        EXPECT_FALSE(RegisterHotKey(other, 1, 0, VK_F10)) << "the game window holds F10";
        answers.yes = true;
        ASSERT_TRUE(main.Unload());
        testing_support::DrainPosted();
    }
    ASSERT_TRUE(RegisterHotKey(other, 1, 0, VK_F10)) << "another program takes F10 first";
    WebMainFrm& main = OpenGame();
    EXPECT_EQ(MenuText(main.appmenu(), WebMainFrm::hiderestore), L"隐藏/恢复");
    const CLumNotifyIcon* tray = main.TrayIcon();
    ASSERT_NE(tray, nullptr);
    EXPECT_TRUE(tray->LastCallSucceeded()) << "the shell took the balloon";
    EXPECT_STREQ(tray->NotifyData().szInfo, L"F10 已被其他程序占用，隐藏窗口请使用托盘菜单。");
    EXPECT_STREQ(tray->NotifyData().szInfoTitle, L"Drelmoor2客户端");
    EXPECT_EQ(tray->NotifyData().dwInfoFlags, static_cast<DWORD>(NIIF_WARNING));
    EXPECT_NE(tray->NotifyData().uFlags & NIF_INFO, 0u);
    NOTIFYICONDATAW probe = tray->NotifyData();
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &probe)) << "as a restarting Explorer forgets it";
    SendMessageW(main.hWnd(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(tray->LastCallSucceeded()) << "the icon is added again";
    EXPECT_STREQ(tray->NotifyData().szInfo, L"") << "but the balloon is not said again";
    main.RunMenuCommand(WebMainFrm::hiderestore);
    EXPECT_FALSE(IsWindowVisible(main.hWnd())) << "the menu still hides the window";
    UnregisterHotKey(other, 1);
    DestroyWindow(other);
}

TEST_F(MainWindowTest, AScreenReaderReadsEverySkinnedButtonAsANamedPushButton) {
    ButtonAccessible::Install(); // as the client's start does
    WebMainFrm& main = OpenGame();
    MsgFrm& question = MsgFrm::Instance();
    const std::pair<const iButton*, std::wstring> buttons[] = {
        {&main.web_close, L"关闭"},
        {&main.web_minmax, L"最大化"},
        {&main.web_min, L"最小化"},
        {&main.web_tool, L"菜单"},
        {&main.OtherUserBtn, L"登录其他帐号"},
        {&main.GameSpaceBtn, L"游戏官网"},
        {&question.closebtn, L"关闭"},
        {&question.iButton1, L"是"},
        {&question.iButton2, L"否"}};
    for (const auto& [button, name] : buttons) {
        const auto [read, role] = testing_support::ReaderView(button->hWnd());
        EXPECT_EQ(read, name);
        EXPECT_EQ(role, ROLE_SYSTEM_PUSHBUTTON) << read;
    }
    question.Unload();
}

} // namespace
