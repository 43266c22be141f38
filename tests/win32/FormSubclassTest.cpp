#include "msghook/cFormSubclass.h"
#include "tests/win32/HookTestWindow.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using testing_support::HookTestWindow;

class FormSubclassTest : public testing::Test {
protected:
    void SetUp() override { Watch(*hook); }
    void Watch(cFormSubclass& subclass) {
        testing_support::Held() +=
            subclass.MsgCome.Connect([this](bool before, bool& handled, LRESULT& result, HWND& hWnd,
                                            UINT& message, WPARAM& wParam, LPARAM& lParam) {
                (before ? beforeMessages : afterMessages).push_back(message);
                if (handler) {
                    handler(before, handled, result, hWnd, message, wParam, lParam);
                }
            });
    }
    int Count(const std::vector<UINT>& list, UINT message) const {
        return static_cast<int>(std::count(list.begin(), list.end(), message));
    }
    LONG_PTR Procedure(const HookTestWindow& w) const {
        return GetWindowLongPtrW(w.hWnd(), GWLP_WNDPROC);
    }
    LONG_PTR Own(const HookTestWindow& w) const {
        return reinterpret_cast<LONG_PTR>(w.OwnProcedure());
    }

    HookTestWindow window;
    std::unique_ptr<cFormSubclass> hook = std::make_unique<cFormSubclass>();
    std::vector<UINT> beforeMessages;
    std::vector<UINT> afterMessages;
    std::function<void(bool, bool&, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&)> handler;
};

TEST_F(FormSubclassTest, EveryMessageArrivesOnceBeforeAndNeverAfter) {
    EXPECT_TRUE(hook->AddWindowMsgs(window.hWnd()));
    for (UINT m : {UINT{WM_APP + 1}, UINT{WM_APP + 2}, UINT{WM_APP + 1}}) {
        EXPECT_EQ(SendMessageW(window.hWnd(), m, 0, 0), HookTestWindow::Answer(m, 0));
    }
    SetWindowPos(window.hWnd(), nullptr, 5, 5, 60, 60, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Count(beforeMessages, WM_APP + 1), 2);
    EXPECT_EQ(Count(beforeMessages, WM_APP + 2), 1);
    EXPECT_EQ(Count(beforeMessages, WM_WINDOWPOSCHANGED), 1);
    EXPECT_TRUE(afterMessages.empty());
}

TEST_F(FormSubclassTest, ArgumentChangesInTheBeforePhaseReachTheWindow) {
    hook->AddWindowMsgs(window.hWnd());
    handler = [](bool, bool&, LRESULT&, HWND&, UINT& message, WPARAM& wParam, LPARAM&) {
        if (message == WM_APP + 1) {
            wParam = 42;
            message = WM_APP + 3;
        }
    };
    EXPECT_EQ(SendMessageW(window.hWnd(), WM_APP + 1, 1, 0), 342);
    EXPECT_EQ(window.LastWParam(), 42u);
    EXPECT_EQ(window.Received(WM_APP + 1), 0);
}

TEST_F(FormSubclassTest, AHandledMessageNeverReachesTheWindow) {
    hook->AddWindowMsgs(window.hWnd());
    handler = [](bool, bool& handled, LRESULT& result, HWND&, UINT& message, WPARAM&, LPARAM&) {
        if (message == WM_APP + 1) {
            handled = true;
            result = -5;
        }
    };
    EXPECT_EQ(SendMessageW(window.hWnd(), WM_APP + 1, 0, 0), -5);
    EXPECT_EQ(window.Received(WM_APP + 1), 0);
}

TEST_F(FormSubclassTest, EndingTheInstanceRestoresEveryHookedWindow) {
    HookTestWindow second;
    hook->AddWindowMsgs(window.hWnd());
    hook->AddWindowMsgs(second.hWnd());
    hook.reset();
    EXPECT_EQ(Procedure(window), Own(window));
    EXPECT_EQ(Procedure(second), Own(second));
    SendMessageW(second.hWnd(), WM_APP, 0, 0);
    EXPECT_TRUE(beforeMessages.empty());
}

TEST_F(FormSubclassTest, HookingTwicePutsASecondHookInFront) {
    hook->AddWindowMsgs(window.hWnd());
    hook->AddWindowMsgs(window.hWnd());
    SendMessageW(window.hWnd(), WM_APP, 0, 0);
    EXPECT_EQ(Count(beforeMessages, WM_APP), 2);
    hook.reset();
    EXPECT_EQ(Procedure(window), Own(window));
}

TEST_F(FormSubclassTest, AnInstanceThatNeverHookedEndsQuietly) {
    hook.reset();
    EXPECT_EQ(Procedure(window), Own(window));
}

LRESULT CALLBACK CountingSwap(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
WNDPROC swappedOut = nullptr;
int swapCalls = 0;

LRESULT CALLBACK CountingSwap(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ++swapCalls;
    return CallWindowProcW(swappedOut, hWnd, message, wParam, lParam);
}

TEST_F(FormSubclassTest, APlainSwapOnTopIsRemovedFirstAndEverythingUnwinds) {
    hook->AddWindowMsgs(window.hWnd());
    swapCalls = 0;
    swappedOut = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window.hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingSwap)));
    EXPECT_EQ(SendMessageW(window.hWnd(), WM_APP + 2, 0, 0), 200);
    EXPECT_EQ(swapCalls, 1);
    EXPECT_EQ(Count(beforeMessages, WM_APP + 2), 1);

    SetWindowLongPtrW(window.hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(swappedOut));
    hook.reset();
    EXPECT_EQ(Procedure(window), Own(window));
    EXPECT_EQ(SendMessageW(window.hWnd(), WM_APP + 2, 0, 0), 200);
    EXPECT_EQ(swapCalls, 1);
}

TEST_F(FormSubclassTest, ThePlainSwapMayAlsoOutliveTheHookBelowIt) {
    hook->AddWindowMsgs(window.hWnd());
    swapCalls = 0;
    swappedOut = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window.hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingSwap)));
    hook.reset();
    EXPECT_EQ(SendMessageW(window.hWnd(), WM_APP + 2, 0, 0), 200);
    EXPECT_EQ(swapCalls, 1);
    EXPECT_TRUE(beforeMessages.empty());
    SetWindowLongPtrW(window.hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(swappedOut));
    EXPECT_EQ(SendMessageW(window.hWnd(), WM_APP + 1, 0, 0), 100);
}

TEST_F(FormSubclassTest, HookingAgainAboveASwapOverAnEmptiedChainPutsTheNewHookInFront) {
    hook->AddWindowMsgs(window.hWnd());
    swapCalls = 0;
    swappedOut = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window.hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingSwap)));
    hook.reset();
    auto again = std::make_unique<cFormSubclass>();
    Watch(*again);
    int swapCallsSeenFirst = -1;
    handler = [&](bool, bool&, LRESULT&, HWND&, UINT& message, WPARAM&, LPARAM&) {
        if (message == WM_APP + 2) {
            swapCallsSeenFirst = swapCalls;
            SendMessageW(window.hWnd(), WM_APP + 3, 0, 0); // a nested message goes round again
        }
    };
    ASSERT_TRUE(again->AddWindowMsgs(window.hWnd()));
    EXPECT_EQ(SendMessageW(window.hWnd(), WM_APP + 2, 0, 0), 200) << "no endless recursion";
    EXPECT_EQ(swapCallsSeenFirst, 0) << "the new hook sees the message before the swap";
    EXPECT_EQ(swapCalls, 2);
    EXPECT_EQ(Count(beforeMessages, WM_APP + 3), 1);
    EXPECT_EQ(window.Received(WM_APP + 2), 1);

    again.reset();
    EXPECT_EQ(Procedure(window), reinterpret_cast<LONG_PTR>(&CountingSwap)) << "back on top";
    EXPECT_EQ(SendMessageW(window.hWnd(), WM_APP + 1, 0, 0), 100);
    SetWindowLongPtrW(window.hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(swappedOut));
    EXPECT_EQ(SendMessageW(window.hWnd(), WM_APP + 1, 0, 0), 100);
}

TEST_F(FormSubclassTest, ASwapBelowTheHookRemovedFirstThenTheHookReleasedInItsOwnMessage) {
    swapCalls = 0;
    swappedOut = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window.hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingSwap)));
    hook->AddWindowMsgs(window.hWnd());
    handler = [&](bool, bool&, LRESULT&, HWND&, UINT& message, WPARAM&, LPARAM&) {
        if (message == WM_APP + 1) {
            SetWindowLongPtrW(window.hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(swappedOut));
            hook.reset();
        }
    };
    EXPECT_EQ(SendMessageW(window.hWnd(), WM_APP + 1, 0, 0), 100);
    EXPECT_EQ(Procedure(window), Own(window));
    auto again = std::make_unique<cFormSubclass>();
    Watch(*again);
    handler = nullptr;
    ASSERT_TRUE(again->AddWindowMsgs(window.hWnd()));
    EXPECT_EQ(SendMessageW(window.hWnd(), WM_APP + 2, 0, 0), 200);
    EXPECT_EQ(Count(beforeMessages, WM_APP + 2), 1);
    EXPECT_EQ(swapCalls, 1) << "the removed swap is never called again";
    again.reset();
}

TEST_F(FormSubclassTest, TheHookOutlivesAHandlerThatEndsItsOwner) {
    hook->AddWindowMsgs(window.hWnd());
    handler = [&](bool, bool&, LRESULT&, HWND&, UINT& message, WPARAM&, LPARAM&) {
        if (message == WM_APP + 1) {
            hook.reset();
        }
    };
    EXPECT_EQ(SendMessageW(window.hWnd(), WM_APP + 1, 0, 0), 100) << "the message still arrives";
    EXPECT_EQ(Procedure(window), Own(window));
    SendMessageW(window.hWnd(), WM_APP + 2, 0, 0);
    EXPECT_EQ(Count(beforeMessages, WM_APP + 2), 0);
}

} // namespace
