#include "forms/Application.h"
#include "mainwindow/WebMainFrm.h"
#include "tests/win32/ScriptedBrowser.h"
#include "tests/win32/TestWindows.h"

#include <shellapi.h>

#include <gtest/gtest.h>

namespace {

// The program's end with the main window still loaded (an offline login
// page after "登录其他帐号" ends it so): no close question, but every unload
// step runs and every engine goes before Run returns to uninitialise.
TEST(Shutdown, EndUnloadsTheMainWindowRemovesItsTrayIconAndReleasesEveryEngine) {
    ScriptedBrowser::Install();
    testing_support::ScriptedDialogs dialogs;
    WebMainFrm& main = WebMainFrm::Instance();
    main.SetURL(L"http://game.example/play");
    ASSERT_NE(main.TrayIcon(), nullptr);
    NOTIFYICONDATAW probe = main.TrayIcon()->NotifyData();
    ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe));
    ASSERT_FALSE(ScriptedBrowser::Alive().empty());

    forms::Application::End();
    forms::Application::Run();
    EXPECT_FALSE(WebMainFrm::Exists());
    EXPECT_TRUE(forms::Application::LoadedForms().empty());
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe)) << "no tray icon left behind";
    EXPECT_TRUE(ScriptedBrowser::Alive().empty()) << "every engine released";
    EXPECT_TRUE(dialogs.messages.empty()) << "no close question";

    forms::Application::CancelEnd();
    testing_support::DrainPosted();
    ScriptedBrowser::Uninstall();
}

} // namespace
