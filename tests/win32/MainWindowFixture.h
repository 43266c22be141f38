#pragma once

#include "forms/Application.h"
#include "forms/WorkArea.h"
#include "forms/core/Units.h"
#include "game/Settings.h"
#include "login/GameWindow.h"
#include "login/LoginScreen.h"
#include "login/RunPageCommand.h"
#include "mainwindow/MainGameWindow.h"
#include "mainwindow/ModMsg.h"
#include "mainwindow/MsgFrm.h"
#include "mainwindow/WebMainFrm.h"
#include "tests/win32/CacheEntries.h"
#include "tests/win32/FakeDesktop.h"
#include "tests/win32/ScriptedBrowser.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

// The game window with a scripted engine and answered dialogs; shared by
// the main window's layout and command tests.
namespace main_window_test {

// A game address on an operator host.
const std::wstring kSite = PublicData::GameSiteUrl;

// Answers the exit question by pressing one of the dialog's buttons.
class ExitAnswers {
public:
    ExitAnswers() {
        dialogs.answerModal = [this](forms::Form& form) { Answer(dynamic_cast<MsgFrm&>(form)); };
    }
    testing_support::ScriptedDialogs dialogs;
    std::vector<forms::MessageRequest>& messages = dialogs.messages;
    bool yes = false;
    int asked = 0;
    bool dialogGone = false;
    std::wstring caption;

private:
    void Answer(MsgFrm& dialog) {
        ++asked;
        caption = dialog.BForm1.Caption();
        dialog.Show();
        EXPECT_TRUE(
            testing_support::ClickMiddleOf((yes ? dialog.iButton1 : dialog.iButton2).hWnd()));
        dialogGone = !MsgFrm::Exists();
    }
};

inline RECT WindowRect(HWND window) {
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
        testing_support::DrainPosted();
        login::BindLoginScreen(nullptr);
        login::BindGameWindow(nullptr);
        ScriptedBrowser::Uninstall();
    }
    WebMainFrm& Main() { return WebMainFrm::Instance(); }
    // Gives a page command as the operator's login page does.
    static bool Command(const std::wstring& url, bool topLevel = true,
                        const std::wstring& document = std::wstring(PublicData::LoginPageUrl)) {
        bool cancel = false;
        login::RunPageCommand(browser::Navigation{url, topLevel, {document}}, cancel);
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
    testing_support::FakeLoginScreen login;
    testing_support::RecordedLaunches launches;
    std::vector<std::wstring> Opened() const {
        std::vector<std::wstring> files;
        for (const forms::LaunchRequest& request : launches.requests) {
            files.push_back(request.file);
        }
        return files;
    }
};

} // namespace main_window_test
