#include "startup/UpdateRules.h"

#include <gtest/gtest.h>

namespace {

using UpdateRules::Decide;
using UpdateRules::Outcome;
using UpdateRules::ServerVersion;

TEST(ServerVersion, TheKeyInAnyCapitalsWithOneSeparator) {
    EXPECT_EQ(ServerVersion("version=1.1.0\r\n"), "1.1.0");
    EXPECT_EQ(ServerVersion("VERSION:1.1.0\r\n"), "1.1.0");
    EXPECT_EQ(ServerVersion("VeRsIoN 1.1.0"), "1.1.0");
}

TEST(ServerVersion, SpacesAroundTheVersionAreDropped) {
    EXPECT_EQ(ServerVersion("version=   1.1.0   \r\nfile=a"), "1.1.0");
    EXPECT_EQ(ServerVersion("version= 1.1 0 \r\n"), "1.1 0") << "inner spaces stay";
}

TEST(ServerVersion, OnlyTheFirstLineNamingAVersionCounts) {
    EXPECT_EQ(ServerVersion("[update]\r\n; versions below\r\nversion=1.1.0\r\n"), "ns below");
    EXPECT_EQ(ServerVersion("file=http://x/a.exe\r\nversion=1.2.0\r\nversion=1.1.0\r\n"), "1.2.0");
}

TEST(ServerVersion, TextBeforeTheKeyShiftsTheSkippedCharacters) {
    EXPECT_EQ(ServerVersion("  version=1.1.0\r\n"), "n=1.1.0");
    EXPECT_EQ(ServerVersion("newversion=1.1.0\r\n"), "on=1.1.0");
}

TEST(ServerVersion, AShortLineGivesAnEmptyVersion) {
    EXPECT_EQ(ServerVersion("version\r\n"), "");
    EXPECT_EQ(ServerVersion("version="), "");
    EXPECT_EQ(ServerVersion("version=1"), "1");
}

TEST(ServerVersion, NoVersionLineOrNoTextGivesNothing) {
    EXPECT_EQ(ServerVersion(""), std::nullopt);
    EXPECT_EQ(ServerVersion("file=a\r\nfile=b\r\n"), std::nullopt);
    EXPECT_EQ(ServerVersion("vers\r\nion=1.1.0"), std::nullopt) << "the key does not span lines";
}

TEST(ServerVersion, LinesMayEndInCrLfOrABareBreak) {
    EXPECT_EQ(ServerVersion("a\nversion=1.1.0\nb"), "1.1.0");
    EXPECT_EQ(ServerVersion("a\rversion=1.1.0\rb"), "1.1.0");
}

TEST(VersionText, DecimalWithoutLeadingZeros) {
    EXPECT_EQ(UpdateRules::VersionText(1, 1, 0), "1.1.0");
    EXPECT_EQ(UpdateRules::VersionText(10, 0, 205), "10.0.205");
}

TEST(Decide, EqualVersionsAreSilentAtStartAndReportedFromTheMenu) {
    EXPECT_EQ(Decide("1.1.0", "1.1.0", false), Outcome::Silent);
    EXPECT_EQ(Decide("1.1.0", "1.1.0", true), Outcome::SayUpToDate);
}

TEST(Decide, AnyOtherTextIsOfferedOlderOrNewer) {
    for (const char* other : {"1.1", "1.01.0", "1.0.9", "1.2.0", "", "1.1.0 beta"}) {
        EXPECT_EQ(Decide(std::string(other), "1.1.0", false), Outcome::OfferUpdate) << other;
        EXPECT_EQ(Decide(std::string(other), "1.1.0", true), Outcome::OfferUpdate) << other;
    }
}

TEST(Decide, NoManifestVersionIsSilentInBothModes) {
    EXPECT_EQ(Decide(std::nullopt, "1.1.0", false), Outcome::Silent);
    EXPECT_EQ(Decide(std::nullopt, "1.1.0", true), Outcome::Silent);
}

TEST(UpdaterArgument, InstallDirectoryThenTheExecutablesFullName) {
    EXPECT_EQ(UpdateRules::UpdaterArgument(L"D:\\Games\\Client\\client.exe"),
              L"D:\\Games\\Client|D:\\Games\\Client\\client.exe");
    EXPECT_EQ(UpdateRules::UpdaterArgument(L"C:\\Program Files\\Tavrin\\Tavrin.EXE"),
              L"C:\\Program Files\\Tavrin|C:\\Program Files\\Tavrin\\Tavrin.exe");
    EXPECT_EQ(UpdateRules::UpdaterArgument(L"C:\\client.exe"), L"C:|C:\\client.exe");
}

} // namespace
