#include "forms/core/Units.h"

#include <gtest/gtest.h>

namespace {

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbourAndTheRestToTheNearest) {
    EXPECT_EQ(forms::RoundHalfEven(0.5), 0);
    EXPECT_EQ(forms::RoundHalfEven(1.5), 2);
    EXPECT_EQ(forms::RoundHalfEven(2.5), 2);
    EXPECT_EQ(forms::RoundHalfEven(-0.5), 0);
    EXPECT_EQ(forms::RoundHalfEven(-1.5), -2);
    EXPECT_EQ(forms::RoundHalfEven(2.4999), 2);
    EXPECT_EQ(forms::RoundHalfEven(2.5001), 3);
    EXPECT_EQ(forms::RoundHalfEven(-2.6), -3);
}

TEST(Units, TwipsAreFifteenToAPixel) {
    EXPECT_EQ(forms::PixelsToTwips(356), 5340);
    EXPECT_EQ(forms::TwipsToPixels(1830), 122);
    EXPECT_EQ(forms::TwipsToPixels(18555), 1237);
    EXPECT_EQ(forms::TwipsToPixels(22.5), 2) << "1.5 pixels rounds to even";
    EXPECT_EQ(forms::TwipsToPixels(37.5), 2) << "2.5 pixels rounds to even";
}

TEST(Units, HimetricPicturesBecomeWholePixels) {
    // A 225 x 22 strip as a picture reports 5953 x 582 HIMETRIC.
    EXPECT_EQ(forms::HimetricToPixels(5953), 225);
    EXPECT_EQ(forms::HimetricToPixels(582), 22);
    EXPECT_EQ(forms::HimetricToPixels(26.45836 * 74.5), 74) << "half a pixel goes to even";
    EXPECT_EQ(forms::HimetricToPixels(26.45836 * 75.5), 76);
}

TEST(Units, DecimalTextKeepsSixSignificantDigitsWithoutTrailingZeros) {
    EXPECT_EQ(forms::DecimalText(10.5), L"10.5");
    EXPECT_EQ(forms::DecimalText(9), L"9");
    EXPECT_EQ(forms::DecimalText(-0.25), L"-0.25");
    EXPECT_EQ(forms::DecimalText(1.0 / 3), L"0.333333");
    EXPECT_EQ(forms::DecimalText(12345678), L"1.23457e+07");
}

// Sets the screen's DPI for one test.
class AtDpi {
public:
    explicit AtDpi(int dpi) { EXPECT_TRUE(forms::SetScreenDpi(dpi)); }
    ~AtDpi() { forms::SetScreenDpi(forms::kDesignDpi); }
    AtDpi(const AtDpi&) = delete;
    AtDpi& operator=(const AtDpi&) = delete;
};

TEST(Units, TwipsFollowTheScreenDpi) {
    {
        const AtDpi dpi(120);
        EXPECT_EQ(forms::TwipsPerPixel(), 12);
        EXPECT_EQ(forms::TwipsToPixels(15540), 1295) << "1036 design pixels at 125 %";
        EXPECT_EQ(forms::TwipsToPixels(18), 2) << "1.5 pixels rounds to even";
        EXPECT_EQ(forms::PixelsToTwips(356), 4272);
    }
    {
        const AtDpi dpi(144);
        EXPECT_EQ(forms::TwipsPerPixel(), 10);
        EXPECT_EQ(forms::TwipsToPixels(9585), 958) << "958.5 rounds to even";
        EXPECT_EQ(forms::TwipsToPixels(60), 6) << "the 4-pixel margin";
    }
    const AtDpi dpi(192);
    EXPECT_EQ(forms::TwipsPerPixel(), 7.5);
    EXPECT_EQ(forms::PixelsToTwips(3), 22.5) << "a pixel is a fractional number of twips";
    EXPECT_EQ(forms::TwipsToPixels(15540), 2072);
    EXPECT_EQ(forms::TwipsToPixels(18555), 2474);
    EXPECT_EQ(forms::TwipsToPixels(forms::PixelsToTwips(2071)), 2071);
    EXPECT_EQ(forms::TwipsToPixels(3.75), 0) << "half a pixel goes to even";
    EXPECT_EQ(forms::TwipsToPixels(11.25), 2);
}

TEST(Units, HimetricIsPhysicalAtEveryDpi) {
    const AtDpi dpi(144);
    EXPECT_DOUBLE_EQ(forms::HimetricPerPixel(), 26.45836 / 1.5);
    // The 225 x 22 strip's 5953 x 582 HIMETRIC: 337.49 x 33.0 pixels at 150 %.
    EXPECT_EQ(forms::HimetricToPixels(5953), 337);
    EXPECT_EQ(forms::HimetricToPixels(582), 33);
    EXPECT_EQ(forms::HimetricToPixels(338 * forms::HimetricPerPixel()), 338);
}

TEST(Units, DesignPixelsFollowTheScreenDpiAndOddDpisAreRefused) {
    EXPECT_EQ(forms::ScaleDesignPixels(356), 356);
    EXPECT_TRUE(forms::SetScreenDpi(144));
    EXPECT_EQ(forms::ScaleDesignPixels(356), 534);
    EXPECT_TRUE(forms::SetScreenDpi(120));
    EXPECT_EQ(forms::ScaleDesignPixels(122), 152) << "152.5 rounds to even";
    EXPECT_FALSE(forms::SetScreenDpi(0));
    EXPECT_FALSE(forms::SetScreenDpi(100000));
    EXPECT_EQ(forms::ScreenDpi(), 120);
    EXPECT_TRUE(forms::SetScreenDpi(forms::kDesignDpi));
}

} // namespace
