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

TEST(Elevation, TheElevatedCopyGetsTheManifestAndAMarkerAndNeverRelaunches) {
    const auto first = SplitArgument(L"\"C:\\My Games\\D2|C:\\My Games\\D2\\Tavrin.exe\"");
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->elevated);
    EXPECT_EQ(first->manifest, L"");
    const std::wstring manifest = L"C:\\Users\\p\\AppData\\Local\\Temp\\update.txt";
    const auto second = SplitArgument(UpdaterRules::ElevatedArgument(*first, manifest));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->dir, first->dir);
    EXPECT_EQ(second->exe, first->exe);
    EXPECT_EQ(second->manifest, manifest);
    EXPECT_TRUE(second->elevated);

    using UpdaterRules::DecideRights;
    using UpdaterRules::RightsStep;
    EXPECT_EQ(DecideRights(true, *first, false), RightsStep::Proceed);
    EXPECT_EQ(DecideRights(true, *second, true), RightsStep::Proceed);
    EXPECT_EQ(DecideRights(false, *first, false), RightsStep::Relaunch);
    EXPECT_EQ(DecideRights(false, *first, true), RightsStep::GiveUp);
    EXPECT_EQ(DecideRights(false, *second, false), RightsStep::GiveUp) << "the marker stops it";

    // The client started as administrator hands the same argument on.
    const std::wstring handed = UpdaterRules::ElevatedArgument(*first, manifest);
    EXPECT_EQ(UpdaterRules::ElevatedUpdateArgument(UpdaterRules::kElevatedUpdateSwitch + handed),
              handed);
    EXPECT_EQ(UpdaterRules::ElevatedUpdateArgument(L" /UPDATE-ELEVATED " + handed), handed);
    for (const wchar_t* other : {L"", L"/web", L"/update-elevatedC:\\x", L"x /update-elevated y"}) {
        EXPECT_FALSE(UpdaterRules::ElevatedUpdateArgument(other)) << other;
    }
    EXPECT_EQ(DecideRights(false, *second, true), RightsStep::GiveUp);
}

TEST(GetFileName, TextAfterTheLastSlashOrTheWholeUrl) {
    EXPECT_EQ(UpdaterRules::GetFileName(L"http://h/a/b/game.dll"), L"game.dll");
    EXPECT_EQ(UpdaterRules::GetFileName(L"game.dll"), L"game.dll");
    EXPECT_EQ(UpdaterRules::GetFileName(L"http://h/dir/"), L"");
}

TEST(IsSafeFileName, OrdinaryNamesPassAndDangerousOnesAreRefused) {
    for (const wchar_t* name :
         {L"client.exe", L"game.dll", L"数据 1.pak", L"a.b.c", L"com10", L"console.txt", L"lpt0"}) {
        EXPECT_TRUE(IsSafeFileName(name)) << name;
    }
    for (const wchar_t* name :
         {L"",         L"..",   L"..\\x.exe", L"a..b",    L"a\\b", L"a/b",        L"c:x",
          L"x.",       L"x ",   L"a<b",       L"a>b",     L"a\"b", L"a|b",        L"a?b",
          L"a*b",      L"CON",  L"con.txt",   L"Nul.dll", L"prn",  L"aux.tar.gz", L"COM1",
          L"com9.exe", L"LPT1", L"lpt9.log",  L"a\tb"}) {
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
