#include "forms/PropertyBag.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using forms::PropertyBag;

TEST(PropertyBag, MissingKeysGiveTheDefault) {
    const PropertyBag bag;
    EXPECT_EQ(bag.Read<std::wstring>("Caption", L"NewForm"), L"NewForm");
    EXPECT_EQ(bag.Read<std::int32_t>("Style", 0), 0);
    EXPECT_TRUE(bag.Read<bool>("AutoSize", true));
}

TEST(PropertyBag, ValuesEqualToTheirDefaultAreLeftOut) {
    PropertyBag bag;
    bag.Write<std::wstring>("Caption", L"NewForm", L"NewForm");
    bag.Write<std::int32_t>("frmHwnd", 0, 0);
    EXPECT_FALSE(bag.Contains("Caption"));
    EXPECT_FALSE(bag.Contains("frmHwnd"));
    bag.Write<bool>("HasLogo", false);
    EXPECT_TRUE(bag.Contains("HasLogo")) << "written without a default: always kept";
}

TEST(PropertyBag, WritingTheDefaultAgainRemovesAnEarlierValue) {
    PropertyBag bag;
    bag.Write<std::int32_t>("Style", 1, 0);
    ASSERT_EQ(bag.Read<std::int32_t>("Style", 0), 1);
    bag.Write<std::int32_t>("Style", 0, 0);
    EXPECT_FALSE(bag.Contains("Style"));
}

TEST(PropertyBag, KeysKeepTheOrderOfTheirFirstWrite) {
    PropertyBag bag;
    bag.Write<std::wstring>("BackColor", L"1");
    bag.Write<std::wstring>("Caption", L"x");
    bag.Write<std::wstring>("BackColor", L"2");
    bag.Write<bool>("HasLogo", true);
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"BackColor", "Caption", "HasLogo"}));
    EXPECT_EQ(bag.Read<std::wstring>("BackColor", L""), L"2");
}

TEST(PropertyBag, StoredValuesConvertToTheTypeAskedFor) {
    PropertyBag bag;
    bag.Write<std::wstring>("BackColor", L"14346732");
    bag.Write<std::int32_t>("TabStyle", 1);
    bag.Write<bool>("Enabled", true);
    bag.Write<std::wstring>("Caption", L"not a number");
    EXPECT_EQ(bag.Read<std::int32_t>("BackColor", 0), 14346732);
    EXPECT_EQ(bag.Read<std::wstring>("TabStyle", L""), L"1");
    EXPECT_TRUE(bag.Read<bool>("TabStyle", false));
    EXPECT_EQ(bag.Read<std::int32_t>("Enabled", 0), -1) << "true is -1 as a number";
    EXPECT_EQ(bag.Read<std::int32_t>("Caption", 7), 7) << "unreadable text gives the default";
}

TEST(PropertyBag, NumbersTheTypeCannotHoldGiveTheDefault) {
    PropertyBag bag;
    bag.Write<std::wstring>("Big", L"1e33");
    bag.Write<double>("Low", -2147483649.0);
    bag.Write<std::wstring>("NaN", L"nan");
    bag.Write<std::wstring>("Cut", std::wstring(L"12\0"
                                                L"3",
                                                4));
    for (const char* key : {"Big", "Low", "NaN", "Cut"}) {
        EXPECT_EQ(bag.Read<std::int32_t>(key, 7), 7) << key;
    }
    EXPECT_EQ(bag.Read<double>("Big", 0), 1e33);
    bag.Write<double>("Edge", -2147483648.0);
    EXPECT_EQ(bag.Read<std::int32_t>("Edge", 7), -2147483647 - 1);
}

} // namespace

namespace {

using forms::StoredFont;

StoredFont SongTi() {
    StoredFont font;
    font.face = L"宋体";
    font.points = 9;
    font.charset = 134; // GB2312
    return font;
}

TEST(StoredFont, KeepsFaceSizeInPointsAndCharacterSet) {
    forms::PropertyBag bag;
    StoredFont font = SongTi();
    font.points = 10.5;
    font.weight = 700;
    font.underline = true;
    bag.WriteFont("cFont", font);
    EXPECT_EQ(bag.Read<std::wstring>("cFont", L""), L"宋体|10.5|700|0|1|0|134");
    EXPECT_EQ(bag.ReadFont("cFont", {}), font);
}

TEST(StoredFont, ReadsTheOlderPixelHeightsAndRefusesAnythingElse) {
    const std::optional<StoredFont> old = forms::FontFromText(L"Tahoma|-12|400|1");
    ASSERT_TRUE(old);
    EXPECT_EQ(old->points, 9.0);
    EXPECT_TRUE(old->italic);
    EXPECT_EQ(old->charset, StoredFont::kDefaultCharset);
    for (const std::wstring& bad : std::vector<std::wstring>
         {L"", L"Tahoma", L"Tahoma|x|400|0", L"|9|400|0|0|0|134", L"Tahoma|9|400|0|0|0",
          L"Tahoma|-9|400|0|0|0|1", L"Tahoma|1e300|400|0", L"Tahoma|-12|1e33|0",
          L"Tahoma|4097|400|0|0|0|1", L"Tahoma|9|400|0|0|0|256", L"Tahoma|9|-1|0|0|0|1",
          std::wstring(L"Tahoma|9\0x|400|0", 16)}) {
        EXPECT_FALSE(forms::FontFromText(bad)) << bad.c_str();
    }
    forms::PropertyBag bag;
    bag.Write<std::wstring>("cFont", L"garbage");
    EXPECT_EQ(bag.ReadFont("cFont", SongTi()), SongTi());
}

TEST(StoredFont, ASizeIsKeptToHundredthsSoThatItReadsBackTheSame) {
    const std::optional<StoredFont> font = forms::FontFromText(L"Tahoma|10.123456|400|0|0|0|1");
    ASSERT_TRUE(font);
    EXPECT_EQ(font->points, 10.12);
    EXPECT_EQ(forms::FontFromText(forms::FontAsText(*font)), font);
    const std::optional<StoredFont> largest = forms::FontFromText(L"Tahoma|4095.996|0|0|0|0|255");
    ASSERT_TRUE(largest);
    EXPECT_EQ(forms::FontAsText(*largest), L"Tahoma|4096|0|0|0|0|255");
}

TEST(StoredFont, PointsAndLogicalHeightsConvertAtTheScreensDensity) {
    EXPECT_EQ(forms::FontHeightOf(9, 96), -12);
    EXPECT_EQ(forms::FontHeightOf(9, 120), -15);
    EXPECT_EQ(forms::PointsOf(-12, 96), 9.0);
    EXPECT_EQ(forms::PointsOf(13, 96), 9.75);
}

} // namespace
