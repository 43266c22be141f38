#include "game/Settings.h"

#include "forms/core/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

// Whatever addresses an operator compiles in, their paths are fixed.
namespace {

bool EndsWith(const std::wstring& text, const std::wstring& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The path after the host of an http: or https: address; empty for
// anything else or for an address without a host.
std::wstring PathOf(const std::wstring& url) {
    for (const std::wstring scheme : {L"http://", L"https://"}) {
        const std::size_t slash = url.find(L'/', scheme.size());
        if (url.rfind(scheme, 0) == 0 && slash != std::wstring::npos && slash > scheme.size()) {
            return url.substr(slash);
        }
    }
    return L"";
}

TEST(Settings, AddressesAreWebAddressesWithTheirFixedPaths) {
    EXPECT_EQ(PathOf(PublicData::UpdateManifestUrl), L"/gamehome/brnq2/update.txt");
    EXPECT_EQ(PathOf(PublicData::LoginPageUrl), L"/micro/");
    EXPECT_EQ(PathOf(PublicData::GameSiteUrl), L"/");
    EXPECT_EQ(PathOf(PublicData::MakerSiteUrl), L"/");
}

TEST(Settings, TheManifestPathNamesTheGameCode) {
    EXPECT_TRUE(EndsWith(PublicData::UpdateManifestUrl,
                         std::wstring(L"/gamehome/") + PublicData::GameCode + L"/update.txt"));
    EXPECT_STREQ(PublicData::GameTitle, L"Drelmoor2");
}

TEST(Settings, TheHostsOfTheFourAddressesAreOperatorHosts) {
    for (const wchar_t* url : {PublicData::UpdateManifestUrl, PublicData::LoginPageUrl,
                               PublicData::GameSiteUrl, PublicData::MakerSiteUrl}) {
        EXPECT_TRUE(PublicData::OperatorHosts().IsOperatorPage(url)) << url;
    }
    EXPECT_FALSE(PublicData::OperatorHosts().IsOperatorPage(L"http://foreign.invalid/"));
}

// The demo addresses name their ports, so their host counts on those alone.
TEST(Settings, TheDemoHostCountsOnItsOwnPortsOnly) {
    for (const wchar_t* url : {PublicData::UpdateManifestUrl, PublicData::LoginPageUrl,
                               PublicData::GameSiteUrl, PublicData::MakerSiteUrl}) {
        if (!forms::StartsWith(url, L"http://127.0.0.1:864") || *TAVRIN_OPERATOR_HOSTS != L'\0') {
            GTEST_SKIP() << "built with an operator's own addresses";
        }
    }
    for (const auto& [url, trusted] : std::initializer_list<std::pair<const wchar_t*, bool>>{
             {L"http://127.0.0.1:8640/", true},
             {L"http://127.0.0.1:8641/", true},
             {L"http://127.0.0.1:8642/", true},
             {L"http://127.0.0.1:9999/", false},
             {L"http://127.0.0.1/", false},
         }) {
        EXPECT_EQ(PublicData::OperatorHosts().IsOperatorPage(url), trusted) << url;
    }
}

} // namespace
