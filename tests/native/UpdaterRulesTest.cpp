#include "update/core/UpdaterRules.h"

#include <gtest/gtest.h>

namespace {

using UpdaterRules::FileLines;
using UpdaterRules::IsSafeFileName;
using UpdaterRules::SplitArgument;

TEST(SplitArgument, PathsWithSpacesQuotedOrNotAndTheTrailingBackslash) {
    for (const wchar_t* tail : {L"C:\\My Games\\D2|C:\\My Games\\D2\\Tavrin.exe",
                                L"\"C:\\My Games\\D2|C:\\My Games\\D2\\Tavrin.exe\"",
                                L"\"C:\\My Games\\D2\"|\"C:\\My Games\\D2\\Tavrin.exe\"",
                                L"C:\\My Games\\D2\\|C:\\My Games\\D2\\Tavrin.exe"}) {
        const auto argument = SplitArgument(tail);
        ASSERT_TRUE(argument) << tail;
        EXPECT_EQ(argument->dir, L"C:\\My Games\\D2\\") << tail;
        EXPECT_EQ(argument->exe, L"C:\\My Games\\D2\\Tavrin.exe") << tail;
    }
    EXPECT_FALSE(SplitArgument(L""));
    EXPECT_FALSE(SplitArgument(L" \"\" "));
    EXPECT_FALSE(SplitArgument(L"|C:\\a.exe"));
}

TEST(Elevation, TheElevatedCopyGetsTheManifestItsDigestAndAMarkerAndNeverRelaunches) {
    const auto first = SplitArgument(L"\"C:\\My Games\\D2|C:\\My Games\\D2\\Tavrin.exe\"");
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->elevated);
    EXPECT_EQ(first->manifest, L"");
    const std::wstring manifest = L"C:\\Users\\p\\AppData\\Local\\Temp\\update.txt";
    UpdaterRules::Sha256 digest{};
    for (std::size_t i = 0; i < digest.size(); ++i) {
        digest[i] = static_cast<unsigned char>(i * 37 + 5);
    }
    const auto second = SplitArgument(UpdaterRules::ElevatedArgument(*first, manifest, digest));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->dir, first->dir);
    EXPECT_EQ(second->exe, first->exe);
    EXPECT_EQ(second->manifest, manifest);
    EXPECT_EQ(second->manifestSha256, digest);
    EXPECT_TRUE(second->elevated);

    using UpdaterRules::DecideRights;
    using UpdaterRules::RightsStep;
    EXPECT_EQ(DecideRights(true, *first, false), RightsStep::Proceed);
    EXPECT_EQ(DecideRights(true, *second, true), RightsStep::Proceed);
    EXPECT_EQ(DecideRights(false, *first, false), RightsStep::Relaunch);
    EXPECT_EQ(DecideRights(false, *first, true), RightsStep::GiveUp);
    EXPECT_EQ(DecideRights(false, *second, false), RightsStep::GiveUp) << "the marker stops it";

    // The client started as administrator hands the same argument on.
    const std::wstring handed = UpdaterRules::ElevatedArgument(*first, manifest, digest);
    EXPECT_EQ(UpdaterRules::ElevatedUpdateArgument(UpdaterRules::kElevatedUpdateSwitch + handed),
              handed);
    EXPECT_EQ(UpdaterRules::ElevatedUpdateArgument(L" /UPDATE-ELEVATED " + handed), handed);
    for (const wchar_t* other : {L"", L"/web", L"/update-elevatedC:\\x", L"x /update-elevated y"}) {
        EXPECT_FALSE(UpdaterRules::ElevatedUpdateArgument(other)) << other;
    }
    EXPECT_EQ(DecideRights(false, *second, true), RightsStep::GiveUp);
}

TEST(Elevation, TheElevatedCopyActsOnlyOnTheBytesItsStarterVerified) {
    UpdaterRules::Sha256 verified{};
    verified[0] = 0xAB;
    UpdaterRules::Sha256 other = verified;
    other[31] = 1;
    const std::wstring hex(64, L'0');
    const std::wstring abHex = L"ab" + hex.substr(2);
    struct Case {
        std::wstring tail;
        bool acceptsVerified;
        bool acceptsOther;
    };
    const Case cases[] = {
        {L"C:\\G|C:\\G\\T.exe", true, true},
        {L"C:\\G|C:\\G\\T.exe|C:\\t\\update.txt|/elevated|" + abHex, true, false},
        {L"C:\\G|C:\\G\\T.exe|C:\\t\\update.txt|/elevated|" + hex, false, false},
        {L"C:\\G|C:\\G\\T.exe|C:\\t\\update.txt|/elevated|" + abHex.substr(1), false, false},
        {L"C:\\G|C:\\G\\T.exe|C:\\t\\update.txt|/elevated|" + abHex + L"0", false, false},
        {L"C:\\G|C:\\G\\T.exe|C:\\t\\update.txt|/elevated", false, false},
    };
    for (const Case& c : cases) {
        const auto argument = SplitArgument(c.tail);
        ASSERT_TRUE(argument) << c.tail;
        EXPECT_EQ(UpdaterRules::AcceptsManifest(*argument, verified), c.acceptsVerified) << c.tail;
        EXPECT_EQ(UpdaterRules::AcceptsManifest(*argument, other), c.acceptsOther) << c.tail;
    }
}

TEST(GetFileName, TextAfterTheLastSlashOrTheWholeUrl) {
    EXPECT_EQ(UpdaterRules::GetFileName(L"http://h/a/b/game.dll"), L"game.dll");
    EXPECT_EQ(UpdaterRules::GetFileName(L"game.dll"), L"game.dll");
    EXPECT_EQ(UpdaterRules::GetFileName(L"http://h/dir/"), L"");
}

TEST(IsSafeFileName, OrdinaryNamesPassAndDangerousOnesAreRefused) {
    for (const wchar_t* name :
         {L"client.exe", L"game.dll", L"数据 1.pak", L"a.b.c", L"com10", L"console.txt", L"lpt0",
          L"~readme.txt", L"a~b.dll", L"a~.txt", L"1~", L"～1.dll"}) {
        EXPECT_TRUE(IsSafeFileName(name)) << name;
    }
    for (const wchar_t* name :
         {L"",     L"..",           L"..\\x.exe",    L"a..b",         L"a\\b",          L"a/b",
          L"c:x",  L"x.",           L"x ",           L"a<b",          L"a>b",           L"a\"b",
          L"a|b",  L"a?b",          L"a*b",          L"CON",          L"con.txt",       L"Nul.dll",
          L"prn",  L"aux.tar.gz",   L"COM1",         L"com9.exe",     L"LPT1",          L"lpt9.log",
          L"a\tb", L"UPDATE~1.TAV", L"update~1.tav", L"GAMEFI~1.DLL", L"Tavrin~12.exe", L"~0",
          L"a.b~9"}) {
        EXPECT_FALSE(IsSafeFileName(name)) << name;
    }
}

TEST(IsSafeFileName, DevicesWithBlanksBeforeTheDotAndTheOtherDeviceNamesAreRefused) {
    for (const wchar_t* name : {L"nul .txt", L"CON  .dll", L"conin$", L"CONOUT$.log", L"com\u00B9",
                                L"LPT\u00B3.txt", L"com\u00B2"}) {
        EXPECT_FALSE(IsSafeFileName(name)) << name;
    }
    EXPECT_TRUE(IsSafeFileName(L"con x.txt")) << "a blank inside makes another name";
}

TEST(FileLines, VersionLinesAndShortLinesAreSkippedTheRestKeptInOrder) {
    const auto lines = FileLines(L"version=1.2.0\r\n1|http://h/game.dll\r\nnote\r\n\r\n"
                                 L"2|http://h/VERSION/a.dat\r\n3|HTTPS://h/client.exe|x\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].url, L"http://h/game.dll");
    EXPECT_EQ(lines[0].name, L"game.dll");
    EXPECT_FALSE(lines[0].refused);
    EXPECT_EQ(lines[1].name, L"client.exe");
    EXPECT_FALSE(lines[1].refused) << "https is accepted";
}

TEST(FileLines, UnsafeNamesAndOtherSchemesAreRefused) {
    const auto lines = FileLines(L"1|http://h/%2e%2e\r\n2|http://h/..\r\n3|http://h/\r\n"
                                 L"4|file://h/a.dll\r\n5|ftp://h/a.dll\r\n6|http://h/nul\r\n"
                                 L"7|http://h/game.dll.tavrin-new\r\n8|http://h/x.Tavrin-Old\r\n");
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_FALSE(lines[0].refused) << "escapes are not decoded: a harmless literal name";
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_TRUE(lines[i].refused) << i;
    }
}

TEST(FileLines, ASha256FieldAnywhereAfterTheUrl) {
    const std::wstring hex = L"00112233445566778899aabbccddeeffFFEEDDCCBBAA99887766554433221100";
    const auto lines = FileLines(L"1|http://h/a|sha256=" + hex + L"\r\n2|http://h/b|x|SHA256=" +
                                 hex + L"\r\n3|http://h/c|sha256=abc\r\n4|http://h/d|sha=1\r\n");
    ASSERT_EQ(lines.size(), 4u);
    for (int i : {0, 1}) {
        ASSERT_TRUE(lines[i].sha256) << i;
        EXPECT_EQ((*lines[i].sha256)[0], 0x00);
        EXPECT_EQ((*lines[i].sha256)[10], 0xaa);
        EXPECT_EQ((*lines[i].sha256)[16], 0xff);
        EXPECT_FALSE(lines[i].refused);
    }
    EXPECT_TRUE(lines[2].refused) << "a malformed digest is not silently ignored";
    EXPECT_FALSE(lines[3].sha256);
    EXPECT_FALSE(lines[3].refused) << "old manifests' other fields stay unread";
}

TEST(FileLines, TwoLinesForOneNameAreRefusedUnlessBothCarryTheSameDigest) {
    const std::wstring a = L"|sha256=" + std::wstring(64, L'a');
    const std::wstring b = L"|sha256=" + std::wstring(64, L'b');
    struct Case {
        std::wstring second; // after "0|http://h/game.dll" + a
        bool refused;
    };
    const Case cases[] = {
        {L"1|http://h/game.dll", true},
        {L"1|http://h/other/GAME.DLL", true},
        {L"1|http://h/game.dll" + b, true},
        {L"1|https://mirror/game.dll" + a, false},
        {L"1|http://h/Game.Dll|SHA256=" + std::wstring(64, L'A'), false},
        {L"1|http://h/game.dll.bak" + b, false},
    };
    for (const Case& c : cases) {
        const auto lines = FileLines(L"0|http://h/game.dll" + a + L"\r\n2|http://h/x.exe\r\n" +
                                     c.second + L"\r\n");
        ASSERT_EQ(lines.size(), 3u) << c.second;
        EXPECT_EQ(lines[0].refused, c.refused) << c.second;
        EXPECT_EQ(lines[2].refused, c.refused) << c.second;
        EXPECT_FALSE(lines[1].refused) << c.second;
    }
    const auto unhashed = FileLines(L"0|http://h/a.dll\r\n1|http://h/a.dll\r\n");
    EXPECT_TRUE(unhashed[0].refused && unhashed[1].refused) << "no digest is not the same digest";
}

TEST(Percent, SixtyFourBitsAndClamped) {
    EXPECT_EQ(UpdaterRules::Percent(0, 0), 0);
    EXPECT_EQ(UpdaterRules::Percent(50, 200), 25);
    EXPECT_EQ(UpdaterRules::Percent(4000000000ULL, 4200000000ULL), 95);
    EXPECT_EQ(UpdaterRules::Percent(300, 200), 100);
}

TEST(FileToOpen, OnlyTheClientInPlaceOrAnExeInsideTheInstallDirectory) {
    const UpdaterRules::Argument argument{L"C:\\G\\", L"C:\\G\\Tavrin.exe"};
    const auto open = [&argument](const wchar_t* manifest, bool complete) {
        return UpdaterRules::FileToOpen(argument, FileLines(manifest), complete);
    };
    EXPECT_EQ(open(L"0|http://h/a.dll\r\n1|http://h/New.EXE\r\n", true), L"C:\\G\\New.EXE");
    EXPECT_EQ(open(L"0|http://h/a.dll\r\n1|http://h/New.exe\r\n", false), L"C:\\G\\Tavrin.exe");
    for (const wchar_t* last : {L"0|http://h/run.bat\r\n", L"0|http://h/x.hta\r\n",
                                L"0|http://h/a.exe.txt\r\n", L"0|http://h/readme\r\n"}) {
        EXPECT_EQ(open(last, true), L"C:\\G\\Tavrin.exe") << last;
    }
    EXPECT_EQ(UpdaterRules::FileToOpen({L"C:\\G\\", L"C:\\Other\\Tavrin.exe"}, {}, false), L"");
    EXPECT_EQ(UpdaterRules::FileToOpen({L"C:\\G\\", L"C:\\G\\sub\\Tavrin.exe"}, {}, false), L"");
    EXPECT_EQ(UpdaterRules::FileToOpen({L"C:\\G\\", L"C:\\G\\run.bat"}, {}, false), L"");
}

} // namespace
