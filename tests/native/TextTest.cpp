#include "forms/core/Text.h"

#include <gtest/gtest.h>

namespace {

TEST(Text, LowerCasingTouchesOnlyAsciiLetters) {
    EXPECT_EQ(forms::LowerAscii(L"HTTP://Host/\u00C4\u00D6-Z[@"), L"http://host/\u00C4\u00D6-z[@");
    EXPECT_EQ(forms::LowerAscii(L'Q'), L'q');
    EXPECT_EQ(forms::LowerAscii(L'\u0410'), L'\u0410');
}

TEST(Text, PrefixesMatchWithOrWithoutLetterCase) {
    EXPECT_TRUE(forms::StartsWith(L"add|a.txt", L"add|"));
    EXPECT_FALSE(forms::StartsWith(L"ADD|a.txt", L"add|"));
    EXPECT_FALSE(forms::StartsWith(L"ad", L"add|"));
    EXPECT_TRUE(forms::StartsWithNoCase(L"HTTPS://x", L"https://"));
    EXPECT_TRUE(forms::StartsWithNoCase(L"app:", L"APP:"));
    EXPECT_FALSE(forms::StartsWithNoCase(L"app", L"app:"));
    EXPECT_FALSE(forms::StartsWithNoCase(L"\u00C4pp:", L"\u00E4pp:")) << "ASCII only";
    EXPECT_TRUE(forms::EqualsNoCase(L"Game", L"gAME"));
    EXPECT_FALSE(forms::EqualsNoCase(L"Game", L"games"));
}

TEST(Text, TrimmingTakesOnlyTheGivenBlanksFromBothEnds) {
    EXPECT_EQ(forms::Trim(L" \t a b \t ", L" \t"), L"a b");
    EXPECT_EQ(forms::Trim(L"\r\n a \r\n", L" \t"), L"\r\n a \r\n");
    EXPECT_EQ(forms::Trim(L"\r\n a \r\n", L" \t\r\n"), L"a");
    EXPECT_EQ(forms::Trim(L" \t ", L" \t"), L"");
}

} // namespace
