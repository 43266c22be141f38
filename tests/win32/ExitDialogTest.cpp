#include "forms/core/Units.h"
#include "mainwindow/MsgFrm.h"
#include "mainwindow/WebMainFrm.h"
#include "tests/win32/ScriptedBrowser.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

namespace {

HWND dialogOwner = nullptr;
bool answerTimedOut = false;

// Presses "否" with the pointer, from inside the dialog's own loop.
void CALLBACK PressNo(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (!MsgFrm::Exists()) {
        return;
    }
    const MsgFrm& dialog = MsgFrm::Instance();
    dialogOwner = GetWindow(dialog.hWnd(), GW_OWNER);
    RECT r{};
    GetWindowRect(dialog.iButton2.hWnd(), &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
}

// Ends a dialog the pointer never answered, so that the test fails and
// does not hang.
void CALLBACK GiveUp(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    answerTimedOut = MsgFrm::Exists();
    MsgFrm::UnloadIfLoaded();
}

class ExitDialogTest : public testing::Test {
protected:
    void SetUp() override { ScriptedBrowser::Install(); }
    void TearDown() override {
        MsgFrm::UnloadIfLoaded();
        if (WebMainFrm::Exists()) {
            WebMainFrm::Instance().m_bExit = true;
            WebMainFrm::Instance().Unload();
        }
        testing_support::DrainPosted();
        ScriptedBrowser::Uninstall();
    }
};

TEST_F(ExitDialogTest, SkinnedRoundedQuestionWithItsCaption) {
    MsgFrm& dialog = MsgFrm::Instance();
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(dialog.hWnd(), region), ERROR);
    RECT box{};
    GetRgnBox(region, &box);
    EXPECT_EQ(box.right, 242) << "the round region reaches the client area's edge";
    EXPECT_EQ(box.bottom, 140);
    EXPECT_FALSE(PtInRegion(region, 0, 0)) << "rounded corner";
    EXPECT_TRUE(PtInRegion(region, 2, 2));
    DeleteObject(region);

    wchar_t text[64] = {};
    GetWindowTextW(dialog.Label1(), text, 64);
    EXPECT_STREQ(text, L"窗口即将关闭，确定要退出游戏？");
    EXPECT_EQ(dialog.BForm1.Caption(), L"Drelmoor2客户端");
    EXPECT_EQ(dialog.BForm1.Width(), dialog.Width());
    EXPECT_NEAR(dialog.Width() - dialog.closebtn.Left(), 730, 14) << "to the pixel";
    for (const iButton* button : {&dialog.iButton1, &dialog.iButton2}) {
        EXPECT_STREQ(button->cFont().lfFaceName, L"宋体");
        EXPECT_EQ(button->cFont().lfCharSet, GB2312_CHARSET);
        EXPECT_EQ(button->cFont().lfHeight, -12) << "9 point";
        EXPECT_EQ(button->Width(), 975);
        EXPECT_EQ(button->Height(), 375);
        ASSERT_TRUE(button->BackPicture());
        EXPECT_EQ(button->BackPicture()->Width(), 225);
        EXPECT_EQ(button->BackPicture()->Height(), 22);
    }
    EXPECT_EQ(dialog.iButton1.Caption(), L"是");
    EXPECT_EQ(dialog.iButton2.Caption(), L"否");
    EXPECT_EQ(GetPixel(dialog.Surface(), 100, 50), RGB(255, 255, 255)) << "white body";
    EXPECT_EQ(GetWindowLongPtrW(dialog.hWnd(), GWLP_HWNDPARENT) != 0, true) << "not in the taskbar";
}

TEST_F(ExitDialogTest, TheQuestionsLabelLeavesTheButtonsTopEdgesDrawn) {
    MsgFrm& dialog = MsgFrm::Instance();
    dialog.Show();
    RedrawWindow(dialog.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testing_support::DrainPosted();
    HDC screen = GetDC(nullptr);
    for (const iButton* button : {&dialog.iButton1, &dialog.iButton2}) {
        RECT r{};
        GetWindowRect(button->hWnd(), &r);
        EXPECT_NE(GetPixel(screen, (r.left + r.right) / 2, r.top), RGB(255, 255, 255))
            << "the label's white box lies over the button";
    }
    ReleaseDC(nullptr, screen);
}

// Shows the question, clicks one of its buttons where it is drawn and
// gives the answer it raised; none when it raised none.
std::optional<bool> ClickOnTheDialog(iButton MsgFrm::*button) {
    MsgFrm& dialog = MsgFrm::Instance();
    std::optional<bool> answer;
    testing_support::Held() += dialog.Answered.Connect([&answer](bool exit) { answer = exit; });
    dialog.Show();
    testing_support::DrainPosted();
    EXPECT_TRUE(testing_support::ClickMiddleOf((dialog.*button).hWnd()));
    testing_support::DrainPosted();
    return answer;
}

TEST_F(ExitDialogTest, EachButtonGivesItsAnswerAndUnloads) {
    EXPECT_EQ(ClickOnTheDialog(&MsgFrm::closebtn), std::optional<bool>(false));
    EXPECT_FALSE(MsgFrm::Exists());
    EXPECT_EQ(ClickOnTheDialog(&MsgFrm::iButton1), std::optional<bool>(true));
    EXPECT_FALSE(MsgFrm::Exists());
    EXPECT_EQ(ClickOnTheDialog(&MsgFrm::iButton2), std::optional<bool>(false));
    EXPECT_FALSE(MsgFrm::Exists());
}

TEST_F(ExitDialogTest, NoHandsTheForegroundBackToTheGameWindowThatOwnsTheDialog) {
    WebMainFrm& main = WebMainFrm::Instance();
    main.Show();
    SetForegroundWindow(main.hWnd());
    SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &PressNo);
    const UINT_PTR giveUp = SetTimer(nullptr, 0, 20000, &GiveUp);
    EXPECT_FALSE(main.Unload()) << "the real dialog, answered with the pointer";
    KillTimer(nullptr, giveUp);
    EXPECT_FALSE(answerTimedOut);
    EXPECT_EQ(dialogOwner, main.hWnd());
    EXPECT_FALSE(MsgFrm::Exists());
    EXPECT_TRUE(IsWindowEnabled(main.hWnd()));
    EXPECT_EQ(GetForegroundWindow(), main.hWnd());
    EXPECT_EQ(GetActiveWindow(), main.hWnd());
}

// Keys as the player types them at the question, from inside its own loop:
// each tick posts one key to whatever has the keyboard, after the loop has
// taken the one before (input comes before the next timer). Shift is held
// in the thread's key state for the keys that ask for it.
struct Typing {
    std::vector<std::pair<WPARAM, bool>> keys; // virtual key, with Shift
    std::size_t next = 0;
    // What the keys met: the keyboard's window before each key, as 是 and 否
    // (1, 2) or anything else (0), and the answer raised.
    std::vector<int> focus;
    std::optional<bool> answer;
};
Typing* typing = nullptr;

Typing Keys(std::vector<std::pair<WPARAM, bool>> keys) {
    Typing typed;
    typed.keys = std::move(keys);
    return typed;
}

void HoldShift(bool down) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(state);
}

void CALLBACK TypeNextKey(HWND, UINT, UINT_PTR timer, DWORD) {
    HoldShift(false);
    if (typing == nullptr || typing->next >= typing->keys.size() || !MsgFrm::Exists()) {
        KillTimer(nullptr, timer);
        return;
    }
    MsgFrm& dialog = MsgFrm::Instance();
    if (typing->next == 0) {
        testing_support::Held() +=
            dialog.Answered.Connect([](bool exit) { typing->answer = exit; });
    }
    const auto [key, shift] = typing->keys[typing->next++];
    HWND focus = GetFocus();
    typing->focus.push_back(focus == dialog.iButton1.hWnd()   ? 1
                            : focus == dialog.iButton2.hWnd() ? 2
                                                              : 0);
    HoldShift(shift);
    PostMessageW(focus != nullptr ? focus : dialog.hWnd(), WM_KEYDOWN, key, 1);
}

// Asks the real question over the game window and types the keys; whether
// the game window stayed.
bool TypeAtTheQuestion(Typing& keys) {
    WebMainFrm& main = WebMainFrm::Instance();
    main.Show();
    SetForegroundWindow(main.hWnd());
    typing = &keys;
    const UINT_PTR typer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &TypeNextKey);
    const UINT_PTR giveUp = SetTimer(nullptr, 0, 20000, &GiveUp);
    answerTimedOut = false;
    const bool closed = main.Unload();
    KillTimer(nullptr, giveUp);
    KillTimer(nullptr, typer);
    HoldShift(false);
    typing = nullptr;
    EXPECT_FALSE(answerTimedOut) << "the keys gave no answer";
    EXPECT_FALSE(MsgFrm::Exists());
    return !closed;
}

TEST_F(ExitDialogTest, EscAnswersNoEnterTheFocusedButtonAndTabMovesBetweenThem) {
    Typing esc = Keys({{VK_ESCAPE, false}});
    EXPECT_TRUE(TypeAtTheQuestion(esc)) << "Esc keeps the game";
    EXPECT_EQ(esc.answer, std::optional<bool>(false));
    EXPECT_EQ(esc.focus, std::vector<int>{1}) << "是 has the keyboard when the question shows";

    Typing tabs = Keys({{VK_TAB, false}, {VK_TAB, true}, {VK_TAB, false}, {VK_RETURN, false}});
    EXPECT_TRUE(TypeAtTheQuestion(tabs)) << "Enter on 否 keeps the game";
    EXPECT_EQ(tabs.answer, std::optional<bool>(false));
    EXPECT_EQ(tabs.focus, (std::vector<int>{1, 2, 1, 2})) << "Tab and Shift+Tab move";

    Typing enter = Keys({{VK_RETURN, false}});
    EXPECT_FALSE(TypeAtTheQuestion(enter)) << "Enter on 是 ends the game";
    EXPECT_EQ(enter.answer, std::optional<bool>(true));
    EXPECT_FALSE(WebMainFrm::Exists());
}

} // namespace
