#include "browser/core/NavigationPolicy.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using browser::DocumentNode;
using browser::Navigation;
using browser::NavigationRoute;
using Documents = std::vector<std::wstring>;

TEST(NavigationPolicy, WebAndScriptPassCommandsGoToTheOwnerEverythingElseStops) {
    const struct {
        const wchar_t* url;
        NavigationRoute route;
    } cases[] = {
        {L"http://h/p", NavigationRoute::Allow},
        {L"HTTPS://h:8443/p?q#f", NavigationRoute::Allow},
        {L"about:blank", NavigationRoute::Allow},
        {L"About:Blank", NavigationRoute::Allow},
        {L"javascript:void(0)", NavigationRoute::Allow},
        {L"app://exitgame", NavigationRoute::ToOwner},
        {L"APP://loadgame|http://h/", NavigationRoute::ToOwner},
        {L"app:x", NavigationRoute::ToOwner},
        {L"search-ms:query=x", NavigationRoute::Refuse},
        {L"ms-settings:privacy", NavigationRoute::Refuse},
        {L"ms-msdt:/id x", NavigationRoute::Refuse},
        {L"file:///C:/x", NavigationRoute::Refuse},
        {L"\\\\h\\s\\x", NavigationRoute::Refuse},
        {L"mk:@MSITStore:x", NavigationRoute::Refuse},
        {L"res://ieframe.dll/x", NavigationRoute::Refuse},
        {L"vbscript:x", NavigationRoute::Refuse},
        {L"\" http://x\"", NavigationRoute::Refuse},
        {L" http://x", NavigationRoute::Refuse},
        {L"about:blank#x", NavigationRoute::Refuse},
        {L"about:config", NavigationRoute::Refuse},
        {L"data:text/html,x", NavigationRoute::Refuse},
        {L"http:x", NavigationRoute::Refuse},
        {L"http://h/\nx", NavigationRoute::Refuse},
        {L"app://exitgame\r", NavigationRoute::Refuse},
        {L"", NavigationRoute::Refuse},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(browser::RouteNavigation(c.url), c.route) << c.url;
    }
}

// A page as a tree: each node an address and its frames; a null frame
// cannot be reached.
struct Page final : DocumentNode {
    Page(std::wstring a, std::vector<std::shared_ptr<Page>> f = {})
        : address(std::move(a)), frames(std::move(f)) {}
    std::wstring Address() const override { return address; }
    std::size_t FrameCount() const override { return frames.size(); }
    std::unique_ptr<DocumentNode> Frame(std::size_t index) const override {
        return frames[index] ? std::make_unique<Page>(*frames[index]) : nullptr;
    }
    std::wstring address;
    std::vector<std::shared_ptr<Page>> frames;
};

std::shared_ptr<Page> P(std::wstring address, std::vector<std::shared_ptr<Page>> frames = {}) {
    return std::make_shared<Page>(std::move(address), std::move(frames));
}

TEST(NavigationPolicy, EveryDocumentIsListedBlankFramesAsTheirParentsUnreadableAsNothing) {
    const auto page = P(L"http://op/", {P(L"about:blank", {P(L"http://ad/", {P(L"")})}), nullptr,
                                        P(L"http://op/f")});
    EXPECT_EQ(browser::ListDocuments(*page), (Documents{L"http://op/", L"http://op/", L"http://ad/",
                                                        L"http://ad/", L"", L"http://op/f"}));
    EXPECT_EQ(browser::ListDocuments(*P(L"about:blank")), Documents{L""}) << "no address";
}

TEST(NavigationPolicy, APageBeyondTheLimitsEndsInAnUnvettedEntry) {
    std::vector<std::shared_ptr<Page>> many(browser::kMaxListedDocuments + 5, P(L"http://op/f"));
    const Documents wide = browser::ListDocuments(*P(L"http://op/", many));
    ASSERT_EQ(wide.size(), browser::kMaxListedDocuments);
    EXPECT_EQ(wide[wide.size() - 2], L"http://op/f");
    EXPECT_EQ(wide.back(), L"");

    auto deep = P(L"http://op/last");
    for (int i = 0; i <= browser::kMaxFrameDepth; ++i) {
        deep = P(L"http://op/" + std::to_wstring(i), {deep});
    }
    const Documents nested = browser::ListDocuments(*deep);
    ASSERT_EQ(nested.size(), static_cast<std::size_t>(browser::kMaxFrameDepth) + 2);
    EXPECT_EQ(nested.back(), L"") << "the frame past the deepest level";
    EXPECT_EQ(nested[nested.size() - 2], L"http://op/0");
}

class PassNavigationTest : public testing::Test {
protected:
    PassNavigationTest() {
        held = event.Connect([this](Navigation navigation, bool& cancel) {
            heard.push_back(navigation);
            cancel = answer;
        });
    }
    bool Pass(const std::wstring& url) {
        Navigation navigation;
        navigation.url = url;
        return browser::PassNavigation(event, navigation, false, *page);
    }

    forms::Event<Navigation, bool&> event;
    forms::Connection held;
    std::vector<Navigation> heard;
    bool answer = false;
    std::shared_ptr<Page> page = P(L"http://op/", {P(L"http://ad/")});
};

TEST_F(PassNavigationTest, TheOwnerDecidesWebAddressesNeverCommandsOrRefusedOnes) {
    EXPECT_FALSE(Pass(L"http://h/"));
    answer = true;
    EXPECT_TRUE(Pass(L"http://h/")) << "the owner cancels";
    answer = false;
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_TRUE(heard[0].documents.empty()) << "listed for commands only";

    EXPECT_TRUE(Pass(L"app://exitgame")) << "whatever the owner answers";
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[2].documents, (Documents{L"http://op/", L"http://ad/"}));

    EXPECT_TRUE(Pass(L"search-ms:query=x"));
    EXPECT_TRUE(Pass(L"file:///C:/x"));
    EXPECT_EQ(heard.size(), 3u) << "refused before any owner hears";
}

} // namespace
