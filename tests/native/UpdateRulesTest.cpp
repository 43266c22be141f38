#include "update/core/UpdateRules.h"

#include <gtest/gtest.h>

namespace {

using UpdateRules::Decide;
using UpdateRules::Outcome;
using UpdateRules::ServerVersion;
using UpdateRules::VersionRule;

TEST(ServerVersion, TheKeyInAnyCapitalsWithOneSeparator) {
    EXPECT_EQ(ServerVersion(L"version=1.1.0\r\n"), L"1.1.0");
    EXPECT_EQ(ServerVersion(L"VERSION:1.1.0\r\n"), L"1.1.0");
    EXPECT_EQ(ServerVersion(L"VeRsIoN 1.1.0"), L"1.1.0");
}

TEST(ServerVersion, TheSeparatorIsOneCharacterWhateverItsWidth) {
    EXPECT_EQ(ServerVersion(L"version\uFF1A1.1.0\r\n"), L"1.1.0") << "full-width colon";
}

TEST(ServerVersion, SpacesAroundTheVersionAreDropped) {
    EXPECT_EQ(ServerVersion(L"version=   1.1.0   \r\nfile=a"), L"1.1.0");
    EXPECT_EQ(ServerVersion(L"version= 1.1 0 \r\n"), L"1.1 0") << "inner spaces stay";
    EXPECT_EQ(ServerVersion(L"version=\t1.2.0\t\r\n"), L"1.2.0");
    EXPECT_EQ(ServerVersion(L"version=\u00A01.2.0\u00A0\r\n"), L"1.2.0");
    EXPECT_EQ(ServerVersion(L"version=\u30001.2.0\u3000\u2003\r\n"), L"1.2.0");
}

TEST(ServerVersion, OnlyTheFirstLineNamingAVersionCounts) {
    EXPECT_EQ(ServerVersion(L"[update]\r\n; versions below\r\nversion=1.1.0\r\n"), L"ns below");
    EXPECT_EQ(ServerVersion(L"file=http://x/a.exe\r\nversion=1.2.0\r\nversion=1.1.0\r\n"),
              L"1.2.0");
}

TEST(ServerVersion, TextBeforeTheKeyShiftsTheSkippedCharacters) {
    EXPECT_EQ(ServerVersion(L"  version=1.1.0\r\n"), L"n=1.1.0");
    EXPECT_EQ(ServerVersion(L"newversion=1.1.0\r\n"), L"on=1.1.0");
}

TEST(ServerVersion, AShortLineGivesAnEmptyVersion) {
    EXPECT_EQ(ServerVersion(L"version\r\n"), L"");
    EXPECT_EQ(ServerVersion(L"version="), L"");
    EXPECT_EQ(ServerVersion(L"version=1"), L"1");
}

TEST(ServerVersion, NoVersionLineOrNoTextGivesNothing) {
    EXPECT_EQ(ServerVersion(L""), std::nullopt);
    EXPECT_EQ(ServerVersion(L"file=a\r\nfile=b\r\n"), std::nullopt);
    EXPECT_EQ(ServerVersion(L"vers\r\nion=1.1.0"), std::nullopt) << "the key does not span lines";
}

TEST(ServerVersion, LinesMayEndInCrLfOrABareBreak) {
    EXPECT_EQ(ServerVersion(L"a\nversion=1.1.0\nb"), L"1.1.0");
    EXPECT_EQ(ServerVersion(L"a\rversion=1.1.0\rb"), L"1.1.0");
}

TEST(VersionText, MajorMinorAndTheFourthFieldOfTheFileVersion) {
    EXPECT_EQ(UpdateRules::VersionText(0x00010002, 0x00030004), L"1.2.4") << "1.2.3.4";
    EXPECT_EQ(UpdateRules::VersionText(0x000A0000, 0xFFFF00CD), L"10.0.205") << "10.0.65535.205";
    EXPECT_EQ(UpdateRules::VersionText(0xFFFFFFFF, 0x0000FFFF), L"65535.65535.65535");
}

TEST(Decide, EqualVersionsAreSilentAtStartAndReportedFromTheMenu) {
    for (const VersionRule rule : {VersionRule::AnyOther, VersionRule::HigherOnly}) {
        EXPECT_EQ(Decide(L"1.1.0", L"1.1.0", false, rule), Outcome::Silent);
        EXPECT_EQ(Decide(L"1.1.0", L"1.1.0", true, rule), Outcome::SayUpToDate);
    }
}

TEST(Decide, UnsignedAnyOtherTextIsOfferedOlderOrNewer) {
    for (const wchar_t* other : {L"1.1", L"1.01.0", L"1.0.9", L"1.2.0", L"", L"1.1.0 beta"}) {
        for (const bool fromMenu : {false, true}) {
            EXPECT_EQ(Decide(std::wstring(other), L"1.1.0", fromMenu, VersionRule::AnyOther),
                      Outcome::OfferUpdate)
                << other;
        }
    }
}

TEST(Decide, SignedOnlyAHigherVersionNumberIsOffered) {
    struct Case {
        const wchar_t* server;
        Outcome atStart;
        Outcome fromMenu;
    };
    const Outcome offer = Outcome::OfferUpdate;
    const Outcome silent = Outcome::Silent;
    const Outcome upToDate = Outcome::SayUpToDate;
    const Outcome failed = Outcome::SayFailed;
    const Case cases[] = {
        {L"1.9.1", offer, offer},        {L"2.0.0", offer, offer},
        {L"1.10.0", offer, offer},       {L"01.9.01", offer, offer},
        {L"65535.0.0", offer, offer},    {L"1.9.0", silent, upToDate},
        {L"1.09.00", silent, upToDate},  {L"1.8.99", silent, upToDate},
        {L"0.99.99", silent, upToDate},  {L"1.1", silent, failed},
        {L"1.9.0.1", silent, failed},    {L"", silent, failed},
        {L"1..9", silent, failed},       {L"1.9.", silent, failed},
        {L"2.0.0 beta", silent, failed}, {L"-2.0.0", silent, failed},
        {L"65536.0.0", silent, failed},  {L"1.9.x", silent, failed},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Decide(std::wstring(c.server), L"1.9.0", false, VersionRule::HigherOnly),
                  c.atStart)
            << c.server;
        EXPECT_EQ(Decide(std::wstring(c.server), L"1.9.0", true, VersionRule::HigherOnly),
                  c.fromMenu)
            << c.server;
    }
}

TEST(Decide, NoManifestVersionIsSilentInBothModes) {
    for (const VersionRule rule : {VersionRule::AnyOther, VersionRule::HigherOnly}) {
        EXPECT_EQ(Decide(std::nullopt, L"1.1.0", false, rule), Outcome::Silent);
        EXPECT_EQ(Decide(std::nullopt, L"1.1.0", true, rule), Outcome::Silent);
    }
}

TEST(UpdaterArgument, InstallDirectoryThenTheExecutablesFullName) {
    EXPECT_EQ(UpdateRules::UpdaterArgument(L"D:\\Games\\Client\\client.exe"),
              L"D:\\Games\\Client|D:\\Games\\Client\\client.exe");
    EXPECT_EQ(UpdateRules::UpdaterArgument(L"C:\\Program Files\\Tavrin\\Tavrin.EXE"),
              L"C:\\Program Files\\Tavrin|C:\\Program Files\\Tavrin\\Tavrin.exe");
    EXPECT_EQ(UpdateRules::UpdaterArgument(L"C:\\client.exe"), L"C:|C:\\client.exe");
}

} // namespace
