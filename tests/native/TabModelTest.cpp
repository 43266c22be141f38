#include "tabs/core/CTabItems.h"
#include "tabs/core/IuTab.h"
#include "tabs/core/PageWindows.h"
#include "tabs/core/TabError.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> calls; // what strip, pages and windows were asked, in order

class FakePage final : public ITabForm {
public:
    explicit FakePage(WindowHandle window) : window_(window) {}
    WindowHandle hWnd() const override { return window_; }
    void Initialize(IuTab* strip, CTabItem* item) override {
        if (item != nullptr) {
            calls.push_back("page " + std::to_string(window_) + " initialise" +
                            (strip != nullptr ? " with strip" : ""));
        }
        this->item = item;
    }
    void RefreshPage() override {}
    void Unload() override {
        if (loaded) {
            calls.push_back("page " + std::to_string(window_) + " unload");
        }
        loaded = false;
    }
    bool loaded = true;
    CTabItem* item = nullptr;

private:
    WindowHandle window_;
};

class FakeStrip final : public IuTab, public PageWindows {
public:
    FakeStrip() { items.AttachTab(*this); }
    void Add(const std::wstring&, ITabForm& form, const std::optional<std::wstring>&,
             const std::optional<TabIndex>&) override {
        calls.push_back("strip add " + std::to_string(form.hWnd()));
        if (selected < 0) {
            selected = 0;
        }
    }
    bool BeforeRemove(int index) override {
        calls.push_back("strip before remove " + std::to_string(index));
        return !veto;
    }
    void Remove(int index) override { calls.push_back("strip remove " + std::to_string(index)); }
    void Clear() override { calls.push_back("strip clear"); }
    void Redraw(bool) override { calls.push_back("strip redraw"); }
    void ChangeForm(CTabItem&, ITabForm& form) override {
        calls.push_back("strip change form " + std::to_string(form.hWnd()));
    }
    int Selected() const override { return selected; }
    void SetSelected(int value) override { selected = value; }
    CTabItems& TabItems() override { return items; }
    WindowHandle hWnd() const override { return 900; }
    WindowHandle hParent() const override { return 901; }
    uTab* Control() override { return nullptr; } // a stand-in, not the control

    long Style(WindowHandle window) override { return static_cast<long>(window) * 10; }
    void Activate(WindowHandle window) override {
        calls.push_back("activate " + std::to_string(window));
    }
    void Float(WindowHandle page, long style) override {
        calls.push_back("float " + std::to_string(page) + " style " + std::to_string(style));
    }
    void Invalidate(WindowHandle window) override {
        calls.push_back("invalidate " + std::to_string(window));
    }

    CTabItems items{*this};
    int selected = -1;
    bool veto = false;
};

class TabModelTest : public testing::Test {
protected:
    void SetUp() override { calls.clear(); }
    std::shared_ptr<FakePage> Page(WindowHandle window) {
        auto page = std::make_shared<FakePage>(window);
        pages.push_back(page);
        return page;
    }
    // Adds pages 1..n under keys "k1".."kn".
    void AddPages(int n) {
        for (int i = 1; i <= n; ++i) {
            strip.items.Add(L"tab" + std::to_wstring(i), Page(i), L"k" + std::to_wstring(i));
        }
        calls.clear();
    }
    std::vector<std::wstring> Captions() {
        std::vector<std::wstring> captions;
        for (int p = 0; p < strip.items.Count(); ++p) {
            captions.push_back(strip.items.Item(p)->Caption());
        }
        return captions;
    }

    std::vector<std::shared_ptr<FakePage>> pages;
    FakeStrip strip;
};

TEST_F(TabModelTest, AFullStripTakesNoNewPage) {
    AddPages(CTabItems::kMaxTabs - 1);
    EXPECT_FALSE(strip.items.Full());
    EXPECT_TRUE(strip.items.Add(L"last", Page(100), L"last"));
    EXPECT_TRUE(strip.items.Full());
    calls.clear();
    EXPECT_FALSE(strip.items.Add(L"more", Page(101), L"more"));
    EXPECT_TRUE(calls.empty()) << "the refused page was not touched";
    EXPECT_EQ(strip.items.Count(), CTabItems::kMaxTabs);
    EXPECT_EQ(strip.items.FindItem(L"more"), -1);
}

TEST_F(TabModelTest, AnIndexPutsTheNewTabAtThatPosition) {
    AddPages(2);
    strip.items.Add(L"first", Page(10), std::nullopt, TabIndex(0));
    strip.items.Add(L"last", Page(11), std::nullopt, TabIndex(3));
    strip.items.Add(L"middle", Page(12), std::nullopt, TabIndex(L"2"));
    EXPECT_EQ(Captions(),
              (std::vector<std::wstring>{L"first", L"tab1", L"middle", L"tab2", L"last"}));
    EXPECT_EQ(strip.items.FindItem(L"2"), -1) << "as a look-up, text is always a key";
}

TEST_F(TabModelTest, BadIndexesFailWithTheirNumbersAfterThePageWasTakenIn) {
    AddPages(2);
    for (const auto& [index, number] :
         {std::pair{TabIndex(-1), 9}, std::pair{TabIndex(3), 9}, std::pair{TabIndex(L"two"), 5}}) {
        calls.clear();
        try {
            strip.items.Add(L"bad", Page(20), std::nullopt, index);
            ADD_FAILURE() << "no error";
        } catch (const TabError& error) {
            EXPECT_EQ(error.Number(), number);
        }
        // Steps 1 to 5 ran and the strip's add did not; the item that never
        // joined ends, and with it the page it held.
        ASSERT_GE(calls.size(), 2u);
        EXPECT_EQ(calls[calls.size() - 2], "strip change form 20");
        EXPECT_EQ(calls.back(), "page 20 unload");
        EXPECT_EQ(strip.items.Count(), 2);
    }
}

TEST_F(TabModelTest, KeysIgnoreLetterCaseAndMayNotRepeat) {
    strip.items.Add(L"a", Page(1), L"game");
    EXPECT_EQ(strip.items.FindItem(L"GAME"), 0);
    try {
        strip.items.Add(L"b", Page(2), L"Game");
        ADD_FAILURE() << "no error";
    } catch (const TabError& error) {
        EXPECT_EQ(error.Number(), TabError::kDuplicateKey);
    }
    EXPECT_EQ(strip.items.Count(), 1);
}

TEST_F(TabModelTest, FindItemTakesEveryKindOfIndexAndGivesMinusOneForNothing) {
    EXPECT_EQ(strip.items.FindItem(0), -1) << "empty collection";
    AddPages(3);
    EXPECT_EQ(strip.items.FindItem(L"k2"), 1);
    EXPECT_EQ(strip.items.FindItem(2), 2);
    EXPECT_EQ(strip.items.FindItem(1.6), 2) << "rounded to the nearest whole position";
    EXPECT_EQ(strip.items.FindItem(pages[0].get()), 0);
    EXPECT_EQ(strip.items.FindItem(strip.items.Item(2).get()), 2);
    EXPECT_EQ(strip.items.FindItem(L"nope"), -1);
    EXPECT_EQ(strip.items.FindItem(3), -1);
    FakePage stranger(99);
    EXPECT_EQ(strip.items.FindItem(&stranger), -1);
}

TEST_F(TabModelTest, ItemOutOfRangeIsEmptyButAnUnknownKeyIsAnError) {
    AddPages(2);
    EXPECT_EQ(strip.items.Item(2), nullptr);
    EXPECT_EQ(strip.items.Item(-1), nullptr);
    EXPECT_THROW(strip.items.Item(L"nope"), TabError);
}

TEST_F(TabModelTest, RemoveAsksTheStripThenUnloadsOnlyWhenTold) {
    AddPages(3);
    EXPECT_TRUE(strip.items.Remove(L"k1", true));
    EXPECT_EQ(calls, (std::vector<std::string>{"strip before remove 0", "strip remove 0",
                                               "page 1 unload"}));
    calls.clear();
    EXPECT_TRUE(strip.items.Remove(0, false));
    EXPECT_TRUE(pages[1]->loaded) << "kept for whoever holds it";
    EXPECT_EQ(Captions(), std::vector<std::wstring>{L"tab3"});
}

TEST_F(TabModelTest, AVetoKeepsEverything) {
    AddPages(2);
    strip.veto = true;
    EXPECT_FALSE(strip.items.Remove(1, true));
    EXPECT_EQ(strip.items.Count(), 2);
    EXPECT_TRUE(pages[1]->loaded);
    EXPECT_EQ(calls, std::vector<std::string>{"strip before remove 1"});
    EXPECT_FALSE(strip.items.Remove(L"nope", true));
}

TEST_F(TabModelTest, ClearUnloadsEveryPageInOrderWithoutTellingTheStrip) {
    AddPages(3);
    strip.items.Clear();
    EXPECT_EQ(calls, (std::vector<std::string>{"page 1 unload", "page 2 unload", "page 3 unload"}));
    EXPECT_EQ(strip.items.Count(), 0);
}

TEST_F(TabModelTest, AnItemThatEndsWithItsPageUnloadsIt) {
    auto page = Page(5);
    {
        CTabItem item;
        item.SetForm(page);
        EXPECT_EQ(calls, std::vector<std::string>{"page 5 initialise"});
    }
    EXPECT_FALSE(page->loaded);
}

TEST_F(TabModelTest, APageKeepsNoTabThatLetItGo) {
    AddPages(4);
    auto replaced = Page(9);
    strip.items.Item(3)->SetForm(replaced);
    EXPECT_EQ(pages[3]->item, nullptr) << "a page replaced by another";
    EXPECT_EQ(replaced->item, strip.items.Item(3).get());
    strip.items.Remove(L"k1", false);
    strip.items.Remove(L"k2", true);
    strip.items.ReleaseForm(L"k3");
    for (int i : {0, 1, 2}) {
        EXPECT_EQ(pages[static_cast<std::size_t>(i)]->item, nullptr) << i;
    }
    EXPECT_TRUE(pages[0]->loaded && pages[2]->loaded);
    {
        FakeStrip other;
        other.items.Add(L"x", pages[0]);
        ASSERT_NE(pages[0]->item, nullptr);
    }
    EXPECT_EQ(pages[0]->item, nullptr) << "the collection ended with its items";
}

TEST_F(TabModelTest, ItemSettersRedrawTheStrip) {
    AddPages(1);
    auto item = strip.items.Item(0);
    item->SetCaption(L"new title");
    item->SetHideButton(true);
    item->SetLockSize(true);
    item->SetItemData(42);
    EXPECT_EQ(calls, (std::vector<std::string>{"strip redraw", "strip redraw", "strip redraw"}));
    EXPECT_EQ(std::any_cast<int>(item->ItemData()), 42);
}

TEST_F(TabModelTest, ReleaseFormFloatsThePageWithItsSavedStyle) {
    AddPages(2);
    strip.items.ReleaseForm(L"k2");
    EXPECT_EQ(calls, (std::vector<std::string>{"strip before remove 1", "strip remove 1",
                                               "float 2 style 20", "invalidate 901"}));
    EXPECT_TRUE(pages[1]->loaded);
    EXPECT_EQ(strip.items.Count(), 1);
}

TEST(TabIndex, NumericTextCountsAsANumberOnlyWhenAskedForOne) {
    EXPECT_EQ(TabIndex(L" 2 ").AsNumber(), 2.0);
    EXPECT_EQ(TabIndex(L"2x").AsNumber(), std::nullopt);
    EXPECT_EQ(TabIndex(L"").AsNumber(), std::nullopt);
    EXPECT_EQ(TabIndex(3).AsNumber(), 3.0);
    EXPECT_NE(TabIndex(L"2").Key(), nullptr);
}

} // namespace
