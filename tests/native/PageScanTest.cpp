#include "browser/core/PageScan.h"

#include "browser/core/PageUrl.h"

#include <gtest/gtest.h>

namespace {

using browser::DecodeEntities;
using browser::ResolveUrl;
using browser::ScanPage;

TEST(PageScan, FindsTitleLinksAndFramesInOrder) {
    const browser::PageScan page = ScanPage(
        L"<!DOCTYPE html><HTML><head><TITLE> Drelmoor2 &amp;\n 登录 </TITLE>"
        L"<script>var s = '<a href=\"x\">no</a>';</script><style>a{}</style></head>"
        L"<body><!-- <a href='commented'>no</a> -->"
        L"<a class=b HREF=\"app://loadgame|http://h/game/?a=1&amp;b=2\"> 进入<b>游戏</b> </a>"
        L"<a name=anchor>not a link</a>"
        L"<a href='/help' target=\"_blank\">帮助 &#x4E2D;&#20013;</a>"
        L"<iframe src=\"news.html\"></iframe><a href=tail.html>Tail"
        L"</body></html>");
    EXPECT_EQ(page.title, L"Drelmoor2 & 登录");
    ASSERT_EQ(page.links.size(), 3u);
    EXPECT_EQ(page.links[0].href, L"app://loadgame|http://h/game/?a=1&b=2");
    EXPECT_EQ(page.links[0].text, L"进入游戏");
    EXPECT_EQ(page.links[0].target, L"");
    EXPECT_EQ(page.links[1].href, L"/help");
    EXPECT_EQ(page.links[1].text, L"帮助 中中");
    EXPECT_EQ(page.links[1].target, L"_blank");
    EXPECT_EQ(page.links[2].href, L"tail.html") << "unquoted, and never closed";
    EXPECT_EQ(page.links[2].text, L"Tail");
    EXPECT_EQ(page.frames, std::vector<std::wstring>{L"news.html"});
}

TEST(PageScan, RootLengthIsWhatLiesInsideHtml) {
    EXPECT_EQ(ScanPage(L"").rootInnerHtmlLength, 0u);
    EXPECT_EQ(ScanPage(L"<html></html>").rootInnerHtmlLength, 0u);
    EXPECT_EQ(ScanPage(L"<!DOCTYPE html><html lang=zh><p>x</p></html>\n").rootInnerHtmlLength, 8u);
    EXPECT_EQ(ScanPage(L"<p>no root</p>").rootInnerHtmlLength, 14u);
    EXPECT_EQ(ScanPage(L"<html><p>").rootInnerHtmlLength, 3u) << "unterminated";
}

TEST(PageScan, BrokenMarkupEndsWithoutLosingWhatCameBefore) {
    const browser::PageScan page = ScanPage(L"<a href='ok'>1 < 2</a><a href=\"open");
    ASSERT_EQ(page.links.size(), 2u);
    EXPECT_EQ(page.links[0].text, L"1 < 2");
    EXPECT_EQ(page.links[1].href, L"open");
    EXPECT_EQ(ScanPage(L"<title>never closed").title, L"never closed");
    EXPECT_TRUE(ScanPage(L"<!-- never closed <a href=x>").links.empty());
}

TEST(DecodeEntities, KnownReferencesOnly) {
    EXPECT_EQ(DecodeEntities(L"&lt;&gt;&quot;&apos;&amp;amp;"), L"<>\"'&amp;");
    EXPECT_EQ(DecodeEntities(L"a&b=1&c;&#;&#xZZ;&#12345678901;"),
              L"a&b=1&c;&#;&#xZZ;&#12345678901;");
    EXPECT_EQ(DecodeEntities(L"&#0;&#xD800;"), L"\uFFFD\uFFFD");
    EXPECT_EQ(DecodeEntities(L"&#x1F600;"), L"\U0001F600");
}

TEST(ResolveUrl, ReferencesResolveAgainstThePage) {
    const std::wstring base = L"http://h:8641/micro/login.html?x=1#top";
    EXPECT_EQ(ResolveUrl(base, L"app://loadgame|http://g/"), L"app://loadgame|http://g/");
    EXPECT_EQ(ResolveUrl(base, L"mailto:a@b"), L"mailto:a@b");
    EXPECT_EQ(ResolveUrl(base, L"next.html"), L"http://h:8641/micro/next.html");
    EXPECT_EQ(ResolveUrl(base, L" ../game/./a/../b?q#f "), L"http://h:8641/game/b?q#f");
    EXPECT_EQ(ResolveUrl(base, L"/root/../../x"), L"http://h:8641/x");
    EXPECT_EQ(ResolveUrl(base, L"//other/p"), L"http://other/p");
    EXPECT_EQ(ResolveUrl(base, L"?y=2"), L"http://h:8641/micro/login.html?y=2");
    EXPECT_EQ(ResolveUrl(base, L"#part"), L"http://h:8641/micro/login.html?x=1#part");
    EXPECT_EQ(ResolveUrl(base, L""), L"http://h:8641/micro/login.html?x=1");
    EXPECT_EQ(ResolveUrl(L"http://h", L"a/b/"), L"http://h/a/b/");
    EXPECT_EQ(ResolveUrl(base, L"."), L"http://h:8641/micro/");
}

} // namespace
