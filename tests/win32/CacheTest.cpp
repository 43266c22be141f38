#include "mainwindow/CacheMain.h"
#include "tests/win32/CacheEntries.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testing_support::Cached;
using testing_support::CommitCacheEntry;

TEST(CacheMain, ClearsCachedFilesAndKeepsCookiesAndHistory) {
    const std::wstring plain = L"http://game.example/pic/bg.png";
    const std::wstring large = L"http://game.example/" + std::wstring(1500, L'q') + L".js";
    const std::wstring cookie = L"Cookie:player@game.example/";
    const std::wstring history = L"Visited: player@http://game.example/play";
    ASSERT_TRUE(CommitCacheEntry(plain, NORMAL_CACHE_ENTRY));
    ASSERT_TRUE(CommitCacheEntry(large, NORMAL_CACHE_ENTRY)) << "an entry larger than 2048 bytes";
    ASSERT_TRUE(CommitCacheEntry(L"http://game.example/after.css", NORMAL_CACHE_ENTRY));
    ASSERT_TRUE(CommitCacheEntry(cookie, COOKIE_CACHE_ENTRY));
    ASSERT_TRUE(CommitCacheEntry(history, URLHISTORY_CACHE_ENTRY));
    ASSERT_TRUE(Cached(plain) && Cached(cookie) && Cached(history));

    const CacheMain::ClearResult result =
        CacheMain::ClearBrowserCache(L"*.*", CacheMain::kKeepCookiesAndHistory);
    EXPECT_TRUE(result.Complete()) << result.failed << " failed, groups " << result.groupsCleared
                                   << ", listed " << result.entriesListed;
    EXPECT_GE(result.deleted, 3u);

    EXPECT_FALSE(Cached(plain));
    EXPECT_FALSE(Cached(large));
    EXPECT_FALSE(Cached(L"http://game.example/after.css")) << "cleaning goes on past a large entry";
    EXPECT_TRUE(Cached(cookie)) << "the login stays";
    EXPECT_TRUE(Cached(history));
    // An empty cache: returns at once.
    EXPECT_TRUE(CacheMain::ClearBrowserCache(L"*.*", CacheMain::kKeepCookiesAndHistory).Complete());
    EXPECT_TRUE(Cached(cookie));
    // A mask of 0 keeps nothing.
    CacheMain::ClearBrowserCache(L"*.*", 0);
    EXPECT_FALSE(Cached(cookie));
    EXPECT_FALSE(Cached(history));
}

// An entry in use cannot go: the cleaning goes on past it and says so.
TEST(CacheMain, AnEntryInUseIsReportedAndTheRestStillGoes) {
    const std::wstring other = L"http://game.example/other.png";
    ASSERT_TRUE(CommitCacheEntry(other, NORMAL_CACHE_ENTRY));
    testing_support::CacheEntryInUse inUse(L"http://game.example/in-use.png");
    ASSERT_TRUE(inUse.Locked());

    const CacheMain::ClearResult result =
        CacheMain::ClearBrowserCache(L"*.*", CacheMain::kKeepCookiesAndHistory);
    EXPECT_FALSE(result.Complete());
    EXPECT_EQ(result.failed, 1u);
    EXPECT_GE(result.deleted, 1u);
    EXPECT_FALSE(Cached(other));

    inUse.Release();
    EXPECT_TRUE(CacheMain::ClearBrowserCache(L"*.*", 0).Complete()) << "free again";
    EXPECT_FALSE(Cached(L"http://game.example/in-use.png"));
}

} // namespace
