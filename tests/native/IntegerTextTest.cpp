#include "forms/core/IntegerText.h"

#include <gtest/gtest.h>

#include <limits>

TEST(IntegerText, WritesEveryDigitOfTheWholeRange) {
    EXPECT_EQ(forms::IntegerText(0), L"0");
    EXPECT_EQ(forms::IntegerText(7), L"7");
    EXPECT_EQ(forms::IntegerText(1024), L"1024");
    EXPECT_EQ(forms::IntegerText(std::numeric_limits<unsigned long long>::max()),
              L"18446744073709551615");
}
