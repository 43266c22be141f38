#include "forms/ErrorLog.h"
#include "forms/Host.h"
#include "msghook/CSubclass.h"
#include "tests/win32/HookTestWindow.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using testing_support::HookTestWindow;

struct Event {
    bool before;
    HWND window;
    UINT message;
};

class SubclassTest : public testing::Test {
protected:
    void SetUp() override {
        host_->errorSink = &reports;
        testing_support::Held() += subclass->WindowProc.Connect(
            [this](bool before, bool& handled, LRESULT& result, HWND hWnd, UINT message,
                   WPARAM wParam, LPARAM lParam, LONG_PTR& user) {
                events.push_back({before, hWnd, message});
                if (handler) {
                    handler(before, handled, result, hWnd, message, wParam, lParam, user);
                }
            });
    }

    int EventsFor(UINT message, bool before) const {
        int n = 0;
        for (const Event& e : events) {
            n += e.message == message && e.before == before ? 1 : 0;
        }
        return n;
    }

    HookTestWindow window;
    std::unique_ptr<CSubclass> subclass = std::make_unique<CSubclass>();
    std::vector<Event> events;
    std::vector<std::wstring> reports;
    forms::HostSwap host_;
    std::function<void(bool, bool&, LRESULT&, HWND, UINT, WPARAM, LPARAM, LONG_PTR&)> handler;
};

TEST_F(SubclassTest, AllMessagesBeforeRaisesEveryMessageOnceAndNeverAfter) {
    ASSERT_TRUE(subclass->ssc_Subclass(window.hWnd()));
    subclass->ssc_AddMsg(window.hWnd(), CSubclass::ALL_MESSAGES, CSubclass::WHEN_BEFORE);
    for (UINT m : {UINT{WM_APP + 1}, UINT{WM_APP + 2}, UINT{WM_APP + 1}, UINT{WM_SETTEXT}}) {
        SendMessageW(window.hWnd(), m, 0, reinterpret_cast<LPARAM>(L"x"));
    }
    EXPECT_EQ(EventsFor(WM_APP + 1, true), 2);
    EXPECT_EQ(EventsFor(WM_APP + 2, true), 1);
    EXPECT_EQ(EventsFor(WM_SETTEXT, true), 1);
    for (const Event& e : events) {
        EXPECT_TRUE(e.before);
        EXPECT_EQ(e.window, window.hWnd());
    }
    EXPECT_EQ(window.Received(WM_APP + 1), 2) << "the window's own procedure still runs";
    EXPECT_TRUE(reports.empty());
}

TEST_F(SubclassTest, ABeforeHandlerCanStopAMessageAndGiveItsResult) {
    ASSERT_TRUE(subclass->ssc_Subclass(window.hWnd()));
    subclass->ssc_AddMsg(window.hWnd(), CSubclass::ALL_MESSAGES, CSubclass::WHEN_BEFORE);
    subclass->ssc_AddMsg(window.hWnd(), WM_ERASEBKGND, CSubclass::WHEN_AFTER);
    handler = [](bool before, bool& handled, LRESULT& result, HWND, UINT message, WPARAM, LPARAM,
                 LONG_PTR&) {
        if (before && message == WM_ERASEBKGND) {
            EXPECT_FALSE(handled);
            EXPECT_EQ(result, 0);
            handled = true;
            result = 0;
        }
    };
    HDC dc = GetDC(window.hWnd());
    EXPECT_EQ(SendMessageW(window.hWnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
    ReleaseDC(window.hWnd(), dc);
    EXPECT_EQ(window.Received(WM_ERASEBKGND), 0);
    EXPECT_EQ(EventsFor(WM_ERASEBKGND, false), 0) << "a stopped message has no after phase";
}

TEST_F(SubclassTest, AnAfterHandlerSeesAndMayReplaceTheResult) {
    ASSERT_TRUE(subclass->ssc_Subclass(window.hWnd()));
    subclass->ssc_AddMsg(window.hWnd(), WM_APP + 3, CSubclass::WHEN_AFTER);
    LRESULT seen = -1;
    handler = [&](bool before, bool&, LRESULT& result, HWND, UINT, WPARAM, LPARAM, LONG_PTR&) {
        EXPECT_FALSE(before);
        seen = result;
        result = result * 10;
    };
    EXPECT_EQ(SendMessageW(window.hWnd(), WM_APP + 3, 7, 0), 3070);
    EXPECT_EQ(seen, HookTestWindow::Answer(WM_APP + 3, 7));
    EXPECT_EQ(SendMessageW(window.hWnd(), WM_APP + 4, 7, 0), 407) << "not in the table";
}

TEST_F(SubclassTest, TheThirtyThirdMessageIsRefusedAndAFreedEntryIsReused) {
    ASSERT_TRUE(subclass->ssc_Subclass(window.hWnd()));
    for (UINT i = 0; i < 32; ++i) {
        subclass->ssc_AddMsg(window.hWnd(), WM_APP + i, CSubclass::WHEN_BEFORE);
    }
    ASSERT_TRUE(reports.empty());
    subclass->ssc_AddMsg(window.hWnd(), WM_APP + 40, CSubclass::WHEN_BEFORE);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0],
              L"CSubclass.zAddMsg: Message table overflow. Either increase the value of "
              L"Const MSG_ENTRIES or use ALL_MESSAGES instead of specific message values");
    SendMessageW(window.hWnd(), WM_APP + 40, 0, 0);
    SendMessageW(window.hWnd(), WM_APP + 31, 0, 0);
    EXPECT_EQ(EventsFor(WM_APP + 40, true), 0);
    EXPECT_EQ(EventsFor(WM_APP + 31, true), 1) << "the first 32 keep matching";

    subclass->ssc_DelMsg(window.hWnd(), CSubclass::WHEN_BEFORE, {WM_APP + 5});
    subclass->ssc_AddMsg(window.hWnd(), WM_APP + 40, CSubclass::WHEN_BEFORE);
    EXPECT_EQ(reports.size(), 1u);
    SendMessageW(window.hWnd(), WM_APP + 40, 0, 0);
    SendMessageW(window.hWnd(), WM_APP + 5, 0, 0);
    EXPECT_EQ(EventsFor(WM_APP + 40, true), 1);
    EXPECT_EQ(EventsFor(WM_APP + 5, true), 0);
}

TEST_F(SubclassTest, TheSameMessageAddedTwiceRaisesOnce) {
    ASSERT_TRUE(subclass->ssc_Subclass(window.hWnd()));
    subclass->ssc_AddMsg(window.hWnd(), WM_APP + 1, CSubclass::WHEN_BEFORE | CSubclass::WHEN_AFTER);
    subclass->ssc_AddMsg(window.hWnd(), WM_APP + 1, CSubclass::WHEN_BEFORE | CSubclass::WHEN_AFTER);
    SendMessageW(window.hWnd(), WM_APP + 1, 0, 0);
    EXPECT_EQ(EventsFor(WM_APP + 1, true), 1);
    EXPECT_EQ(EventsFor(WM_APP + 1, false), 1);
}

TEST_F(SubclassTest, AHandlerThatThrowsLeavesTheMessageToTheWindowAndTheHookWhole) {
    ASSERT_TRUE(subclass->ssc_Subclass(window.hWnd()));
    subclass->ssc_AddMsg(window.hWnd(), WM_APP + 4, CSubclass::WHEN_BEFORE);
    handler = [](bool, bool&, LRESULT&, HWND, UINT, WPARAM, LPARAM, LONG_PTR&) {
        throw std::runtime_error("hook failed");
    };
    EXPECT_EQ(SendMessageW(window.hWnd(), WM_APP + 4, 3, 0), 403) << "the window's own answer";
    EXPECT_EQ(window.Received(WM_APP + 4), 1);
    ASSERT_EQ(reports.size(), 1u);
    handler = nullptr;
    EXPECT_EQ(SendMessageW(window.hWnd(), WM_APP + 4, 0, 0), 400);
    EXPECT_EQ(EventsFor(WM_APP + 4, true), 2) << "the hook still runs";
    subclass->ssc_UnSubclass(window.hWnd());
    EXPECT_EQ(GetWindowLongPtrW(window.hWnd(), GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(window.OwnProcedure()))
        << "no call left counted as running";
}

TEST_F(SubclassTest, UnhookingInsideANestedCallEndsEventsAndPutsTheProcedureBackAfterwards) {
    ASSERT_TRUE(subclass->ssc_Subclass(window.hWnd()));
    subclass->ssc_AddMsg(window.hWnd(), CSubclass::ALL_MESSAGES,
                         CSubclass::WHEN_BEFORE | CSubclass::WHEN_AFTER);
    HWND hWnd = window.hWnd();
    handler = [&](bool before, bool&, LRESULT&, HWND, UINT message, WPARAM, LPARAM, LONG_PTR&) {
        if (before && message == WM_APP + 1) {
            SendMessageW(hWnd, WM_APP + 2, 0, 0); // nested call of the same window
        }
        if (before && message == WM_APP + 2) {
            subclass->ssc_UnSubclass(hWnd);
        }
    };
    EXPECT_EQ(SendMessageW(hWnd, WM_APP + 1, 0, 0), 100);
    EXPECT_EQ(EventsFor(WM_APP + 1, false), 0) << "unhooked before the outer after phase";
    EXPECT_EQ(EventsFor(WM_APP + 2, false), 0);
    EXPECT_EQ(window.Received(WM_APP + 1), 1);
    EXPECT_EQ(window.Received(WM_APP + 2), 1);
    const std::size_t before = events.size();
    SendMessageW(hWnd, WM_APP + 3, 0, 0);
    EXPECT_EQ(events.size(), before);
    EXPECT_EQ(GetWindowLongPtrW(hWnd, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(window.OwnProcedure()));
    EXPECT_TRUE(reports.empty());
}

TEST_F(SubclassTest, AWindowDestroyedWhileHookedEndsItsHookQuietly) {
    auto doomed = std::make_unique<HookTestWindow>();
    ASSERT_TRUE(subclass->ssc_Subclass(doomed->hWnd()));
    ASSERT_TRUE(subclass->ssc_Subclass(window.hWnd()));
    subclass->ssc_AddMsg(doomed->hWnd(), CSubclass::ALL_MESSAGES, CSubclass::WHEN_AFTER);
    doomed.reset();
    EXPECT_GT(EventsFor(WM_NCDESTROY, false), 0);
    subclass->ssc_AddMsg(window.hWnd(), WM_APP, CSubclass::WHEN_BEFORE);
    SendMessageW(window.hWnd(), WM_APP, 0, 0);
    EXPECT_EQ(EventsFor(WM_APP, true), 1) << "the other window is unaffected";
    subclass.reset();
    EXPECT_TRUE(reports.empty());
}

TEST_F(SubclassTest, ForeignWindowsAndNonWindowsAreRefused) {
    EXPECT_FALSE(subclass->ssc_Subclass(reinterpret_cast<HWND>(0x7FF0)));
    EXPECT_FALSE(subclass->ssc_Subclass(GetDesktopWindow()));
    EXPECT_EQ(reports, (std::vector<std::wstring>{
                           L"CSubclass.ssc_Subclass: Invalid window handle",
                           L"CSubclass.ssc_Subclass: Window handle belongs to another process"}));
    reports.clear();
    subclass->ssc_AddMsg(window.hWnd(), WM_APP, CSubclass::WHEN_BEFORE);
    EXPECT_EQ(reports,
              std::vector<std::wstring>{L"CSubclass.zMap_VFunction: Thunk hasn't been initialized"})
        << "nothing was hooked, so there is no registry";
}

TEST_F(SubclassTest, OnlyOrdinalOneNamesTheCallback) {
    EXPECT_FALSE(subclass->ssc_Subclass(window.hWnd(), 0, 2));
    EXPECT_EQ(reports,
              std::vector<std::wstring>{L"CSubclass.ssc_Subclass: Callback method not found"});
    EXPECT_EQ(GetWindowLongPtrW(window.hWnd(), GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(window.OwnProcedure()));
}

TEST_F(SubclassTest, ASecondHookOfTheSameWindowIsRefusedAndTheFirstKeepsWorking) {
    ASSERT_TRUE(subclass->ssc_Subclass(window.hWnd()));
    subclass->ssc_AddMsg(window.hWnd(), WM_APP, CSubclass::WHEN_BEFORE);
    EXPECT_FALSE(subclass->ssc_Subclass(window.hWnd()));
    EXPECT_EQ(reports, std::vector<std::wstring>{
                           L"CSubclass.ssc_Subclass: Window handle is already subclassed"});
    SendMessageW(window.hWnd(), WM_APP, 0, 0);
    EXPECT_EQ(EventsFor(WM_APP, true), 1);
}

TEST_F(SubclassTest, UnhookedWindowsGiveZeroAndOnlyUnhookingStaysQuiet) {
    HookTestWindow other;
    ASSERT_TRUE(subclass->ssc_Subclass(window.hWnd()));
    subclass->ssc_UnSubclass(other.hWnd());
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(subclass->ssc_CallOrigWndProc(other.hWnd(), WM_APP + 1, 0, 0), 0);
    EXPECT_EQ(subclass->zGet_lParamUser(other.hWnd()), 0);
    subclass->ssc_AddMsg(other.hWnd(), WM_APP, CSubclass::WHEN_BEFORE);
    EXPECT_EQ(reports.size(), 3u);
    for (const std::wstring& line : reports) {
        EXPECT_EQ(line, L"CSubclass.zMap_VFunction: Thunk type for  does not exist");
    }
}

TEST_F(SubclassTest, CallOrigWndProcReachesTheWindowsOwnProcedure) {
    ASSERT_TRUE(subclass->ssc_Subclass(window.hWnd()));
    subclass->ssc_AddMsg(window.hWnd(), CSubclass::ALL_MESSAGES, CSubclass::WHEN_BEFORE);
    EXPECT_EQ(subclass->ssc_CallOrigWndProc(window.hWnd(), WM_APP + 2, 9, 0), 209);
    EXPECT_TRUE(events.empty()) << "the original procedure, not the hook";
    LRESULT inside = 0;
    handler = [&](bool, bool& handled, LRESULT& result, HWND hWnd, UINT message, WPARAM, LPARAM,
                  LONG_PTR&) {
        if (message == WM_APP + 1) {
            inside = subclass->ssc_CallOrigWndProc(hWnd, WM_APP + 5, 1, 0);
            handled = true;
            result = inside;
        }
    };
    EXPECT_EQ(SendMessageW(window.hWnd(), WM_APP + 1, 0, 0), 501);
    EXPECT_EQ(window.Received(WM_APP + 1), 0);
}

TEST_F(SubclassTest, lParamUserChangedInAHandlerPersists) {
    ASSERT_TRUE(subclass->ssc_Subclass(window.hWnd(), 41));
    subclass->ssc_AddMsg(window.hWnd(), WM_APP, CSubclass::WHEN_BEFORE);
    std::vector<LONG_PTR> seen;
    handler = [&](bool, bool&, LRESULT&, HWND, UINT, WPARAM, LPARAM, LONG_PTR& user) {
        seen.push_back(user);
        ++user;
    };
    SendMessageW(window.hWnd(), WM_APP, 0, 0);
    SendMessageW(window.hWnd(), WM_APP, 0, 0);
    EXPECT_EQ(seen, (std::vector<LONG_PTR>{41, 42}));
    EXPECT_EQ(subclass->zGet_lParamUser(window.hWnd()), 43);
    subclass->zSet_lParamUser(window.hWnd(), 7);
    SendMessageW(window.hWnd(), WM_APP, 0, 0);
    EXPECT_EQ(seen.back(), 7);
}

TEST_F(SubclassTest, EndingTheInstanceRestoresEveryWindowItHooked) {
    HookTestWindow second;
    ASSERT_TRUE(subclass->ssc_Subclass(window.hWnd()));
    ASSERT_TRUE(subclass->ssc_Subclass(second.hWnd()));
    subclass->ssc_AddMsg(window.hWnd(), CSubclass::ALL_MESSAGES, CSubclass::WHEN_BEFORE);
    subclass->ssc_AddMsg(second.hWnd(), CSubclass::ALL_MESSAGES, CSubclass::WHEN_BEFORE);
    SendMessageW(second.hWnd(), WM_APP, 0, 0);
    ASSERT_EQ(EventsFor(WM_APP, true), 1);
    subclass.reset();
    for (const HookTestWindow* w : {&window, &second}) {
        EXPECT_EQ(GetWindowLongPtrW(w->hWnd(), GWLP_WNDPROC),
                  reinterpret_cast<LONG_PTR>(w->OwnProcedure()));
        EXPECT_EQ(SendMessageW(w->hWnd(), WM_APP + 2, 0, 0), 200);
    }
    EXPECT_EQ(EventsFor(WM_APP + 2, true), 0);
}

TEST_F(SubclassTest, DestroyingTheInstanceInsideItsOwnHandlerIsSafe) {
    ASSERT_TRUE(subclass->ssc_Subclass(window.hWnd()));
    subclass->ssc_AddMsg(window.hWnd(), CSubclass::ALL_MESSAGES,
                         CSubclass::WHEN_BEFORE | CSubclass::WHEN_AFTER);
    handler = [&](bool before, bool&, LRESULT&, HWND, UINT message, WPARAM, LPARAM, LONG_PTR&) {
        if (before && message == WM_APP + 1) {
            subclass.reset();
        }
    };
    EXPECT_EQ(SendMessageW(window.hWnd(), WM_APP + 1, 0, 0), 100);
    EXPECT_EQ(EventsFor(WM_APP + 1, false), 0);
    EXPECT_EQ(GetWindowLongPtrW(window.hWnd(), GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(window.OwnProcedure()));
}

TEST_F(SubclassTest, TrackMouseTrackingPostsALeaveNoticeWhenThePointerLeaves) {
    SetWindowPos(window.hWnd(), HWND_TOPMOST, 0, 0, 50, 50, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    SetCursorPos(20, 20);
    subclass->TrackMouseTracking(window.hWnd());
    SetCursorPos(600, 600); // well away from the 50 x 50 window at the origin
    // The system may notice the leave on a timer of this thread: keep pumping.
    EXPECT_TRUE(
        testing_support::PumpUntil([&] { return window.Received(WM_MOUSELEAVE) != 0; }, 3000));
    testing_support::DrainPosted();
    EXPECT_EQ(window.Received(WM_MOUSELEAVE), 1);
}

} // namespace
