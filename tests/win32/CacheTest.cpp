#include "mainwindow/CacheMain.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>
#include <wininet.h>

#include <string>

namespace {

// Puts one entry of the given type into the cache, with a small file.
bool Commit(const std::wstring& url, DWORD type) {
    wchar_t file[MAX_PATH] = {};
    if (!CreateUrlCacheEntryW(url.c_str(), 0, L"txt", file, 0)) {
        return false;
    }
    testing_support::WriteFileBytes(file, {'x', 'y'});
    FILETIME never{0xFFFFFFFF, 0x7FFFFFFF};
    FILETIME none{};
    return CommitUrlCacheEntryW(url.c_str(), file, never, none, type, nullptr, 0, nullptr,
                                nullptr) != FALSE;
}

bool Cached(const std::wstring& url) {
    DWORD size = 0;
    GetUrlCacheEntryInfoW(url.c_str(), nullptr, &size);
    return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

TEST(CacheMain, ClearsCachedFilesAndKeepsCookiesAndHistory) {
    const std::wstring plain = L"http://game.example/pic/bg.png";
    const std::wstring large = L"http://game.example/" + std::wstring(1500, L'q') + L".js";
    const std::wstring cookie = L"Cookie:player@game.example/";
    const std::wstring history = L"Visited: player@http://game.example/play";
    ASSERT_TRUE(Commit(plain, NORMAL_CACHE_ENTRY));
    ASSERT_TRUE(Commit(large, NORMAL_CACHE_ENTRY)) << "an entry larger than 2048 bytes";
    ASSERT_TRUE(Commit(L"http://game.example/after.css", NORMAL_CACHE_ENTRY));
    ASSERT_TRUE(Commit(cookie, COOKIE_CACHE_ENTRY));
    ASSERT_TRUE(Commit(history, URLHISTORY_CACHE_ENTRY));
    ASSERT_TRUE(Cached(plain) && Cached(cookie) && Cached(history));

    CacheMain::ClearBrowserCache(L"*.*", CacheMain::kKeepCookiesAndHistory);

    EXPECT_FALSE(Cached(plain));
    EXPECT_FALSE(Cached(large));
    EXPECT_FALSE(Cached(L"http://game.example/after.css")) << "cleaning goes on past a large entry";
    EXPECT_TRUE(Cached(cookie)) << "the login stays";
    EXPECT_TRUE(Cached(history));
    // An empty cache: returns at once.
    CacheMain::ClearBrowserCache(L"*.*", CacheMain::kKeepCookiesAndHistory);
    EXPECT_TRUE(Cached(cookie));
    // A mask of 0 keeps nothing.
    CacheMain::ClearBrowserCache(L"*.*", 0);
    EXPECT_FALSE(Cached(cookie));
    EXPECT_FALSE(Cached(history));
}

} // namespace
