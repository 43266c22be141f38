#include "forms/core/CommandLine.h"

#include <gtest/gtest.h>

namespace {

using forms::ArgumentTail;

TEST(ArgumentTail, DropsTheProgramNameQuotedOrNot) {
    EXPECT_EQ(ArgumentTail(L"Tavrin.exe /web"), L"/web");
    EXPECT_EQ(ArgumentTail(L"\"C:\\Program Files\\Tavrin\\Tavrin.exe\" /web"), L"/web");
    EXPECT_EQ(ArgumentTail(L"\"C:\\Games\\Tavrin.exe\"/web"), L"/web");
    EXPECT_EQ(ArgumentTail(L"C:\\Games\\Tavrin.exe \t  /web"), L"/web");
}

TEST(ArgumentTail, KeepsTheRestOfTheArgumentStringAsItIs) {
    EXPECT_EQ(ArgumentTail(L"Tavrin.exe /web extra"), L"/web extra");
    EXPECT_EQ(ArgumentTail(L"Tavrin.exe /WEB"), L"/WEB");
    EXPECT_EQ(ArgumentTail(L"Tavrin.exe \"a b\" c"), L"\"a b\" c");
}

TEST(ArgumentTail, NoArgumentsGiveAnEmptyString) {
    EXPECT_EQ(ArgumentTail(L"Tavrin.exe"), L"");
    EXPECT_EQ(ArgumentTail(L"\"Tavrin.exe\"   "), L"");
    EXPECT_EQ(ArgumentTail(L""), L"");
    EXPECT_EQ(ArgumentTail(L"\"unterminated"), L"");
}

} // namespace
