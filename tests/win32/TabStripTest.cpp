#include "tests/win32/TabStripFixture.h"

#include <string>
#include <vector>

namespace {

using tab_strip_test::TabStripTest;

TEST_F(TabStripTest, TheFirstTabIsSelectedButItsPageWaitsHidden) {
    auto page = AddPage(L"游戏");
    EXPECT_EQ(strip->Selected(), 0);
    EXPECT_EQ(GetParent(page->Window()), container);
    EXPECT_FALSE(IsWindowVisible(page->Window()));
    EXPECT_EQ(GetWindowLongPtrW(page->Window(), GWL_STYLE) & WS_CAPTION, 0);
    RECT r{};
    GetWindowRect(page->Window(), &r);
    EXPECT_EQ(r.right - r.left, 700);
    EXPECT_EQ(r.bottom - r.top, 300);
}

TEST_F(TabStripTest, SelectingShowsThatPageOnTopAndTheContainerSizeIsFollowed) {
    AddPage(L"a");
    auto second = AddPage(L"b");
    strip->SetSelected(1);
    EXPECT_TRUE(IsWindowVisible(second->Window()));
    EXPECT_EQ(GetWindow(container, GW_CHILD), second->Window());
    SetWindowPos(container, nullptr, 0, 0, 500, 200, SWP_NOMOVE | SWP_NOZORDER);
    RECT r{};
    GetWindowRect(second->Window(), &r);
    EXPECT_EQ(r.right - r.left, 500);
    EXPECT_EQ(r.bottom - r.top, 200);
}

TEST_F(TabStripTest, WritingSelectedOutOfRange) {
    AddPage(L"a");
    auto second = AddPage(L"b");
    strip->SetSelected(2);
    EXPECT_EQ(strip->Selected(), 0) << "Count is ignored";
    strip->SetSelected(-5);
    EXPECT_EQ(strip->Selected(), -1);
    EXPECT_FALSE(strip->RefreshPage()) << "no tab selected";
    strip->SetSelected(1);
    EXPECT_TRUE(strip->RefreshPage());
    EXPECT_EQ(second->refreshes, 1);
}

TEST_F(TabStripTest, SelectionFollowsRemovals) {
    for (int i = 0; i < 3; ++i) {
        AddPage(L"t" + std::to_wstring(i));
    }
    strip->SetSelected(2);
    strip->TabItems().Remove(0, true);
    EXPECT_EQ(strip->Selected(), 1) << "the same item, one place left";
    strip->TabItems().Remove(1, true);
    EXPECT_EQ(strip->Selected(), 0) << "the selected one went";
    AddPage(L"x");
    strip->TabItems().Remove(1, true);
    EXPECT_EQ(strip->Selected(), 0);
}

TEST_F(TabStripTest, APressOnATabSelectsItAndRaisesTabChangedThenMouseDown) {
    AddPage(L"a");
    auto second = AddPage(L"b");
    std::vector<std::string> events;
    testing_support::Held() += strip->TabChanged.Connect([&] { events.push_back("TabChanged"); });
    testing_support::Held() +=
        strip->OnMouseDown.Connect([&](long index, int& button, int&, float&, float&) {
            events.push_back("OnMouseDown " + std::to_string(index) + " " + std::to_string(button));
        });
    Send(WM_LBUTTONDOWN, MK_LBUTTON, Middle(1), 12);
    Send(WM_LBUTTONUP, 0, Middle(1), 12);
    EXPECT_EQ(strip->Selected(), 1);
    EXPECT_TRUE(IsWindowVisible(second->Window()));
    Send(WM_LBUTTONDOWN, MK_LBUTTON, Middle(1), 12);
    Send(WM_LBUTTONUP, 0, Middle(1), 12);
    Send(WM_RBUTTONDOWN, MK_RBUTTON, 5, 5);
    Send(WM_RBUTTONUP, 0, 5, 5);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    Send(WM_LBUTTONUP, 0, 5, 5);
    EXPECT_EQ(events,
              (std::vector<std::string>{"TabChanged", "OnMouseDown 1 1", "TabChanged",
                                        "OnMouseDown 1 1", "OnMouseDown 0 2", "OnMouseDown -2 1"}));
}

TEST_F(TabStripTest, TheCloseButtonRemovesItsTabOnReleaseUnlessVetoed) {
    AddPage(L"a");
    auto second = AddPage(L"b");
    const auto item = strip->TabItems().Item(1);
    const int closeX = 40 + item->Left() + item->Width() - 24 + 6;
    bool veto = true;
    std::vector<long> asked;
    testing_support::Held() += strip->OnItemColose.Connect([&](long index, bool& cancel) {
        asked.push_back(index);
        cancel = veto;
    });
    Send(WM_MOUSEMOVE, 0, closeX, 12);
    EXPECT_EQ(strip->HoverIndex(), 1);
    EXPECT_EQ(strip->CloseState(), 1);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, closeX, 12);
    EXPECT_EQ(strip->CloseState(), 2);
    EXPECT_EQ(strip->Selected(), 0) << "a close press does not select";
    Send(WM_LBUTTONUP, 0, closeX, 12);
    EXPECT_EQ(strip->TabItems().Count(), 2) << "vetoed";
    EXPECT_TRUE(IsWindow(second->Window()));
    veto = false;
    Send(WM_MOUSEMOVE, 0, closeX - 1, 12);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, closeX, 12);
    Send(WM_LBUTTONUP, 0, closeX, 12);
    EXPECT_EQ(asked, (std::vector<long>{1, 1}));
    EXPECT_EQ(strip->TabItems().Count(), 1);
    testing_support::DrainPosted();
    EXPECT_FALSE(IsWindow(second->Window())) << "its page was unloaded";
}

TEST_F(TabStripTest, HoverEventsFollowTheHitTestAndLeavingClearsTheLook) {
    AddPage(L"a");
    std::vector<long> hovers;
    testing_support::Held() += strip->OnMouseHover.Connect(
        [&](long index, int&, int&, float&, float&) { hovers.push_back(index); });
    std::vector<int> shifts;
    testing_support::Held() += strip->OnMouseMove.Connect(
        [&](long, int&, int& shift, float&, float&) { shifts.push_back(shift); });
    Send(WM_MOUSEMOVE, 0, Middle(0), 12);
    Send(WM_MOUSEMOVE, MK_SHIFT | MK_CONTROL, Middle(0) + 2, 12);
    Send(WM_MOUSEMOVE, 0, 5, 12);
    EXPECT_EQ(hovers, (std::vector<long>{0, -2}));
    EXPECT_EQ(shifts, (std::vector<int>{0, forms::kShiftMask | forms::kCtrlMask, 0}))
        << "Shift and Ctrl as the message brings them";
    int leaves = 0;
    testing_support::Held() += strip->OnMouseLeave.Connect([&] { ++leaves; });
    Send(WM_MOUSEMOVE, 0, Middle(0), 12);
    Send(WM_MOUSELEAVE, 0, 0, 0);
    EXPECT_EQ(leaves, 1);
    EXPECT_EQ(strip->HoverIndex(), -1);
}

TEST_F(TabStripTest, ADoubleClickReplaysThePressThenRaisesOnDblClick) {
    AddPage(L"a");
    AddPage(L"b");
    std::vector<std::string> events;
    testing_support::Held() += strip->TabChanged.Connect([&] { events.push_back("TabChanged"); });
    testing_support::Held() +=
        strip->OnMouseDown.Connect([&](long index, int&, int&, float&, float&) {
            events.push_back("OnMouseDown " + std::to_string(index));
        });
    testing_support::Held() +=
        strip->OnDblClick.Connect([&](long index, int& button, int&, float&, float&) {
            events.push_back("OnDblClick " + std::to_string(index) + " " + std::to_string(button));
        });
    Send(WM_LBUTTONDOWN, MK_LBUTTON, Middle(1), 12);
    Send(WM_LBUTTONUP, 0, Middle(1), 12);
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, Middle(1), 12);
    Send(WM_LBUTTONUP, 0, Middle(1), 12);
    EXPECT_EQ(events, (std::vector<std::string>{"TabChanged", "OnMouseDown 1", "TabChanged",
                                                "OnMouseDown 1", "OnDblClick 1 1"}));
}

TEST_F(TabStripTest, SettingsAreStoredUnderTheirKeysAndTheHeightFollowsTheStyle) {
    forms::PropertyBag bag;
    strip->WriteProperties(bag);
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"TabStyle", "TabLeftSize", "TabRightSize"}));
    EXPECT_EQ(bag.Read<std::int32_t>("TabRightSize", -1), 20);
    strip->Move(0, 0, 640 * 15, 200 * 15);
    EXPECT_EQ(strip->Height(), 25 * 15) << "the low style is 25 pixels high";
}

TEST_F(TabStripTest, PageFormsReachTheStripItselfThroughItsInterface) {
    EXPECT_EQ(static_cast<IuTab&>(*strip).Control(), strip.get());
}

} // namespace
