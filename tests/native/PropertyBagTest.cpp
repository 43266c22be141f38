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

TEST(StoredFont, RefusesAnythingButTheSevenFields) {
    for (const wchar_t* bad :
         {L"", L"Tahoma", L"Tahoma|-12|400|1", L"Tahoma|x|400|0|0|0|1", L"|9|400|0|0|0|134",
          L"Tahoma|9|400|0|0|0", L"Tahoma|-9|400|0|0|0|1"}) {
        EXPECT_FALSE(forms::FontFromText(bad)) << bad;
    }
    forms::PropertyBag bag;
    bag.Write<std::wstring>("cFont", L"garbage");
    EXPECT_EQ(bag.ReadFont("cFont", SongTi()), SongTi());
}

TEST(StoredFont, PointsAndLogicalHeightsConvertAtTheScreensDensity) {
    EXPECT_EQ(forms::FontHeightOf(9, 96), -12);
    EXPECT_EQ(forms::FontHeightOf(9, 120), -15);
    EXPECT_EQ(forms::PointsOf(-12, 96), 9.0);
    EXPECT_EQ(forms::PointsOf(13, 96), 9.75);
}

} // namespace
