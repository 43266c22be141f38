#include "browser/core/ExternalUrl.h"
#include "mainwindow/core/DdeText.h"
#include "mainwindow/core/MainLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(MainLayout, ButtonsKeepTheirDistancesToTheRightEdge) {
    for (int width : {15540, 28800}) {
        const auto p = MainLayout::Compute(width, width, 9585, 480);
        EXPECT_EQ(width - p.closeLeft, 730);
        EXPECT_EQ(p.closeLeft - p.minmaxLeft, 375) << "edge to edge";
        EXPECT_EQ(p.minmaxLeft - p.minLeft, 360);
        EXPECT_EQ(p.minLeft - p.toolLeft, 360);
        EXPECT_EQ(p.captionBarWidth, width);
        EXPECT_EQ(width - p.gameSpaceLeft, 3300);
        EXPECT_EQ(width - p.otherUserLeft, 4850);
        EXPECT_EQ(p.tabStrip.right, p.otherUserLeft) << "ends at that button";
    }
}

TEST(MainLayout, PageRectangleLeavesTheSizingMargin) {
    const auto p = MainLayout::Compute(15540, 15540, 9585, 480);
    EXPECT_EQ(p.page.left, 60);
    EXPECT_EQ(p.page.top, 480);
    EXPECT_EQ(p.page.right, 15540 - 60);
    EXPECT_EQ(p.page.bottom, 9585 - 60);
    EXPECT_EQ(p.tabStrip.top, 45);
    const auto tiny = MainLayout::Compute(3000, 3000, 300, 480);
    EXPECT_FALSE(MainLayout::Placeable(tiny.tabStrip));
    EXPECT_FALSE(MainLayout::Placeable(tiny.page));
    EXPECT_TRUE(MainLayout::Placeable(MainLayout::Rect{}));
}

TEST(MainLayout, RegionIsOnePixelLarger) {
    EXPECT_EQ(MainLayout::RegionExtent(15540), 1037);
    EXPECT_EQ(MainLayout::RegionExtent(22), 2) << "1.47 + 1 pixels";
    EXPECT_EQ(MainLayout::RegionExtent(23), 3) << "1.53 + 1 pixels";
}

TEST(ExternalUrl, OnlyPlainWebAndMailAddressesLeaveTheClient) {
    const std::wstring longest = L"http://a.example/" + std::wstring(2048 - 17, L'a');
    for (const std::wstring& url : std::initializer_list<std::wstring>{
             L"http://a.example/x", L"HTTPS://a.example", L"https://h/p?q=1", L"mailto:a@b.c",
             L"http://[::1]:8641/%20x", longest}) {
        EXPECT_TRUE(IsForDefaultBrowser(url)) << url;
    }
    for (const std::wstring& url :
         std::initializer_list<std::wstring>{L"file:///C:/Windows/system32/calc.exe",
                                             L"javascript:alert(1)",
                                             L"C:\\evil.exe",
                                             L"  http://a.example",
                                             L" http://x",
                                             L"http://",
                                             L"mailto:",
                                             L"ms-settings:",
                                             L"\\\\host\\share\\x.exe",
                                             L"",
                                             L"about:blank",
                                             L"httpx://a",
                                             longest + L"a",
                                             L"http://op.com@evil.com/",
                                             L"http://x:99999/",
                                             L"http:x",
                                             L"http://x/\"a",
                                             L"http://x/<",
                                             L"http://x/>",
                                             L"http://x/^",
                                             L"http://x/`",
                                             L"http://x/a b",
                                             L"mailto:a@b.c\"x",
                                             L"mailto:a b@c.d"}) {
        EXPECT_FALSE(IsForDefaultBrowser(url)) << url;
    }
}

TEST(ExternalUrl, NoBlankOrControlCharacterAnywhere) {
    for (wchar_t c :
         {L'\t', L'\n', L'\r', L'\x7f', L'\x85', L'\xa0', L'\x1680', L'\x2000', L'\x2005',
          L'\x200a', L'\x2028', L'\x2029', L'\x202f', L'\x205f', L'\x3000', L'\xfeff'}) {
        for (const std::wstring& url :
             {L"http://x/a" + std::wstring(1, c) + L"b", L"mailto:a@b.c" + std::wstring(1, c)}) {
            EXPECT_FALSE(IsForDefaultBrowser(url)) << static_cast<unsigned>(c);
        }
    }
    EXPECT_TRUE(IsForDefaultBrowser(L"http://x/caf\xe9/\x6e38\x620f")) << "other letters pass";
}

std::vector<unsigned char> Utf16(const std::u16string& text, bool terminate) {
    std::vector<unsigned char> bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<unsigned char>(c & 0xff));
        bytes.push_back(static_cast<unsigned char>(c >> 8));
    }
    if (terminate) {
        bytes.insert(bytes.end(), {0, 0});
    }
    return bytes;
}

TEST(DdeText, AnyBlockGivesText) {
    auto bytes = Utf16(u" http://g/游戏 \r\n", true);
    EXPECT_EQ(DdeCommandText(bytes.data(), bytes.size()), L"http://g/\u6e38\u620f");
    bytes = Utf16(u"abc", false);
    bytes.push_back('x'); // odd length
    EXPECT_EQ(DdeCommandText(bytes.data(), bytes.size()), L"abc");
    bytes = Utf16(u"a", true);
    bytes.insert(bytes.end(), {'z', 0, 'z', 0});
    EXPECT_EQ(DdeCommandText(bytes.data(), bytes.size()), L"a") << "stops at the first NUL";
    EXPECT_EQ(DdeCommandText(nullptr, 10), L"");
    EXPECT_EQ(DdeCommandText(bytes.data(), 1), L"");
    const auto longText = Utf16(std::u16string(100000, u'x'), false);
    EXPECT_EQ(DdeCommandText(longText.data(), longText.size()).size(), 100000u);
}

TEST(DdeText, WebAddressesOnAnyHostOpenTabs) {
    EXPECT_TRUE(IsDdeAddress(L"http://g/\u6e38\u620f"));
    EXPECT_TRUE(IsDdeAddress(L"HTTPS://other.example.org:8443/news?a=b"));
    const std::wstring longest = L"http://g/" + std::wstring(2048 - 9, L'a');
    EXPECT_TRUE(IsDdeAddress(longest));
    for (const std::wstring& command :
         {longest + L"a", std::wstring(100000, L'x'), std::wstring(L"file:///C:/windows/win.ini"),
          std::wstring(L"javascript:alert(1)"), std::wstring(L"\\\\host\\share"),
          std::wstring(L"http://op.com@evil.com/"), std::wstring(L"http://g/\r\n"),
          std::wstring(L"mailto:a@b"), std::wstring()}) {
        EXPECT_FALSE(IsDdeAddress(command)) << command.substr(0, 40);
    }
}

} // namespace
