#include "startup/ClientInstance.h"

#include "forms/Application.h"
#include "forms/TempDir.h"
#include "tests/win32/TestWindows.h"
#include "update/InstallLock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

constexpr wchar_t kGame[] = L"instancetest";

// Another start of the client, as far as the mark goes: a thread of its own,
// since a mutex is its owning thread's.
class OtherStart {
public:
    explicit OtherStart(std::wstring folder)
        : thread_([this, folder] {
              ClientInstance start(kGame, folder);
              ran_ = start.Take();
              done_ = true;
          }) {}
    ~OtherStart() { thread_.join(); }
    bool Done() const { return done_; }
    bool Ran() const { return ran_; }

private:
    std::atomic<bool> done_{false};
    std::atomic<bool> ran_{false};
    std::thread thread_;
};

// Counts the requests the first instance's window receives.
UINT Request() {
    return RegisterWindowMessageW(L"Quelmo.Tavrin.ComeForward");
}
WNDPROC original = nullptr;
int requests = 0;
LRESULT CALLBACK Counting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == Request()) {
        ++requests;
    }
    return CallWindowProcW(original, window, message, wParam, lParam);
}

class ClientInstanceTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(first.Take()) << "nobody holds the mark";
        window = FindWindowExW(
            HWND_MESSAGE, nullptr,
            (std::wstring(L"Quelmo.Tavrin.Client.") + kGame + L"." + InstallFolderKey(folder))
                .c_str(),
            nullptr);
        ASSERT_NE(window, nullptr);
        requests = 0;
        original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Counting)));
        testing_support::Held() += first.ComeForward.Connect([this] { ++cameForward; });
    }
    void TearDown() override { forms::Application::CancelEnd(); }

    const std::wstring folder = forms::GetTempDir();
    ClientInstance first{kGame, folder};
    HWND window = nullptr;
    int cameForward = 0;
};

TEST_F(ClientInstanceTest, ASecondStartOfTheFolderInAnySpellingHandsOverAndEnds) {
    std::wstring upper = folder;
    for (wchar_t& c : upper) {
        c = c >= L'a' && c <= L'z' ? c - (L'a' - L'A') : c;
    }
    OtherStart second(upper);
    ASSERT_TRUE(testing_support::PumpUntil([&] { return second.Done(); }, 20000));
    EXPECT_FALSE(second.Ran());
    EXPECT_EQ(requests, 1);
    testing_support::DrainPosted();
    EXPECT_EQ(cameForward, 1) << "the first comes forward, from the loop";

    OtherStart elsewhere(folder + L"elsewhere");
    ASSERT_TRUE(testing_support::PumpUntil([&] { return elsewhere.Done(); }, 20000));
    EXPECT_TRUE(elsewhere.Ran()) << "another install folder is another client";
    EXPECT_EQ(requests, 1);
}

TEST_F(ClientInstanceTest, OnlyTheExactRequestIsTaken) {
    for (const auto& [wParam, lParam] :
         {std::pair<WPARAM, LPARAM>{0, 0}, {0x54617672, 1}, {0x54617673, 0}, {~WPARAM{0}, -1}}) {
        EXPECT_EQ(SendMessageW(window, Request(), wParam, lParam), 0);
    }
    EXPECT_NE(SendMessageW(window, Request(), 0x54617672, 0), 0);
    testing_support::DrainPosted();
    EXPECT_EQ(cameForward, 1);
}

TEST_F(ClientInstanceTest, AStartFindingTheHolderEndingWaitsAndRunsOnceItIsGone) {
    forms::Application::End();
    OtherStart second(folder);
    ASSERT_TRUE(testing_support::PumpUntil([] { return requests == 1; }, 20000));
    EXPECT_FALSE(second.Done()) << "refused, the start waits";
    first.Leave();
    ASSERT_TRUE(testing_support::PumpUntil([&] { return second.Done(); }, 20000));
    EXPECT_TRUE(second.Ran());
    testing_support::DrainPosted();
    EXPECT_EQ(cameForward, 0);
}

} // namespace
