#include "game/Settings.h"

#include <gtest/gtest.h>

#include <string>

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

} // namespace
