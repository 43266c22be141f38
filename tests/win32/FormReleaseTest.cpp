// Forms that end themselves from inside callbacks and steps, and exceptions
// stopped at the boundary between the system and our code.
#include "forms/ErrorLog.h"
#include "forms/Host.h"
#include "forms/SingleForm.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using testing_support::DrainPosted;

std::vector<std::string> steps;
std::function<void()> onLoad;
std::function<LRESULT(UINT)> onMessage;
bool cancelClose = false;
bool refuseSessionEnd = false;

constexpr UINT kThrow = WM_APP + 7;
constexpr int kButtonId = 42;

class ScriptedFrm : public forms::SingleForm<ScriptedFrm> {
public:
    ScriptedFrm() : SingleForm(forms::FormDesign{}) {}
    ~ScriptedFrm() override { steps.push_back("destroyed"); }

protected:
    void OnLoad() override {
        if (onLoad) {
            onLoad();
        }
        steps.push_back("load returned");
    }
    void OnQueryUnload(bool& cancel) override { cancel = cancelClose; }
    bool OnQueryEndSession() override { return !refuseSessionEnd; }
    void OnUnload() override { steps.push_back("unload"); }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (onMessage && (message == kThrow || message == WM_COMMAND)) {
            return onMessage(message);
        }
        return SingleForm::HandleMessage(message, wParam, lParam);
    }
};

class FormReleaseTest : public testing::Test {
protected:
    void SetUp() override {
        steps.clear();
        onLoad = nullptr;
        onMessage = nullptr;
        cancelClose = false;
    }
    void TearDown() override {
        cancelClose = false;
        if (ScriptedFrm::Exists()) {
            ScriptedFrm::Instance().Unload();
        }
        DrainPosted();
    }
};

TEST_F(FormReleaseTest, AFormThatUnloadsInItsLoadStepIsFreedOnlyInTheLoop) {
    onLoad = [] { ScriptedFrm::Instance().Unload(); };
    ScriptedFrm& form = ScriptedFrm::Instance();
    EXPECT_FALSE(ScriptedFrm::Exists());
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(steps, (std::vector<std::string>{"unload", "load returned"}));
    DrainPosted();
    EXPECT_EQ(steps.back(), "destroyed");
}

TEST_F(FormReleaseTest, ASystemButtonWhoseClickUnloadsItsFormLeavesTheFormUntilTheLoop) {
    HWND button =
        CreateWindowExW(0, L"BUTTON", L"Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 80, 24,
                        ScriptedFrm::Instance().hWnd(), reinterpret_cast<HMENU>(kButtonId),
                        GetModuleHandleW(nullptr), nullptr);
    onMessage = [](UINT) {
        ScriptedFrm::Instance().Unload();
        steps.push_back("click handled");
        return LRESULT{0};
    };
    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindow(button)) << "not destroyed under its own click";
    EXPECT_FALSE(IsWindowVisible(button));
    EXPECT_EQ(steps.back(), "click handled");
    DrainPosted();
    EXPECT_FALSE(IsWindow(button));
    EXPECT_EQ(steps.back(), "destroyed");
}

TEST_F(FormReleaseTest, AnExceptionInAHandlerIsReportedAndTheProgramGoesOn) {
    std::vector<std::wstring> reports;
    forms::HostSwap host;
    host->errorSink = &reports;
    onMessage = [](UINT) -> LRESULT { throw std::runtime_error("painting failed"); };
    HWND window = ScriptedFrm::Instance().hWnd();
    EXPECT_EQ(SendMessageW(window, kThrow, 0, 0), 0) << "the default answer";
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find(L"painting failed"), std::wstring::npos) << reports[0];
    onMessage = nullptr;
    SetWindowTextW(window, L"still here");
    EXPECT_EQ(ScriptedFrm::Instance().Caption(), L"still here");
}

TEST_F(FormReleaseTest, SessionEndIsTheFormsAnswerThenAQuietWholeEnd) {
    HWND window = ScriptedFrm::Instance().hWnd();
    cancelClose = true;
    EXPECT_NE(SendMessageW(window, WM_QUERYENDSESSION, 0, 0), FALSE) << "no close request";
    refuseSessionEnd = true;
    EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, 0), FALSE) << "the form's own answer";
    refuseSessionEnd = false;
    SendMessageW(window, WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(ScriptedFrm::Exists()) << "a cancelled shutdown keeps the window";
    EXPECT_FALSE(forms::Application::Ending());
    SendMessageW(window, WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(ScriptedFrm::Exists()) << "unloaded, whatever the close request says";
    EXPECT_FALSE(IsWindow(window)) << "gone before the message returned";
    EXPECT_EQ(steps, (std::vector<std::string>{"load returned", "unload", "destroyed"}));
    EXPECT_TRUE(forms::Application::Ending());
    forms::Application::CancelEnd();
    DrainPosted();
}

} // namespace
