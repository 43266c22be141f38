#include "browser/core/WebView2Rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace browser {

TEST(WebView2RulesTest, RuntimeVersionIsDigitsAndDotsOnly) {
    for (const wchar_t* good : {L"120.0.2210.91", L"1", L"99999.0.0.1"}) {
        EXPECT_TRUE(IsRuntimeVersion(good)) << good;
    }
    for (const wchar_t* bad : {L"", L"0.0.0.0", L"1.2.3.4.5", L"..\\x", L"1..2", L"1.2.", L".1",
                               L"123456.1", L"1.2\\..", L"1 .2", L"１.2"}) {
        EXPECT_FALSE(IsRuntimeVersion(bad)) << bad;
    }
}

TEST(WebView2RulesTest, PeMachineReadsTheFileHeaderOnly) {
    std::vector<unsigned char> file(0x100, 0);
    file[0] = 'M';
    file[1] = 'Z';
    file[0x3c] = 0x80;
    file[0x80] = 'P';
    file[0x81] = 'E';
    file[0x84] = 0x64;
    file[0x85] = 0x86;
    EXPECT_EQ(PeMachine(file.data(), file.size()), 0x8664);
    file[0x84] = 0x4c;
    file[0x85] = 0x01;
    EXPECT_EQ(PeMachine(file.data(), file.size()), 0x14c);
    // Cut short, a header offset past the end, no signature: not a PE file.
    EXPECT_FALSE(PeMachine(file.data(), 0x84));
    file[0x3c] = 0xfe;
    EXPECT_FALSE(PeMachine(file.data(), file.size()));
    file[0x3c] = 0x80;
    file[0x81] = 'X';
    EXPECT_FALSE(PeMachine(file.data(), file.size()));
    EXPECT_FALSE(PeMachine(nullptr, 0));
}

TEST(WebView2RulesTest, OnlyTransportFailuresMeanNoPage) {
    EXPECT_FALSE(FailureOfWebError(true, 0));
    EXPECT_FALSE(FailureOfWebError(false, 14)); // cancelled
    for (const int transport : {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13}) {
        EXPECT_EQ(FailureOfWebError(false, transport), NavigationFailure::NoPage) << transport;
    }
    for (const int shown : {0, 8, 15, 16, 17, 99}) {
        EXPECT_EQ(FailureOfWebError(false, shown), NavigationFailure::ErrorPage) << shown;
    }
}

TEST(WebView2RulesTest, ScriptAnswersAndKeywordsAreChecked) {
    EXPECT_EQ(JsonCount(L"0"), 0u);
    EXPECT_EQ(JsonCount(L"1234"), 1234u);
    for (const wchar_t* bad : {L"", L"-1", L"1.5", L"\"12\"", L"null", L"1e3", L"1234567890123"}) {
        EXPECT_FALSE(JsonCount(bad)) << bad;
    }
    EXPECT_TRUE(IsCssKeyword(L"hidden"));
    EXPECT_TRUE(IsCssKeyword(L"scroll-x"));
    for (const wchar_t* bad : {L"", L"hidden;x", L"a'b", L"auto\\"}) {
        EXPECT_FALSE(IsCssKeyword(bad)) << bad;
    }
    EXPECT_FALSE(IsCssKeyword(std::wstring(33, L'a')));
}

} // namespace browser
