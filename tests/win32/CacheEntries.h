#pragma once

#include "tests/win32/TestWindows.h"

#include <windows.h>

#include <wininet.h>

#include <string>
#include <vector>

namespace testing_support {

// Puts one entry of the given type into the URL cache, with a small file.
inline bool CommitCacheEntry(const std::wstring& url, DWORD type) {
    wchar_t file[MAX_PATH] = {};
    if (!CreateUrlCacheEntryW(url.c_str(), 0, L"txt", file, 0)) {
        return false;
    }
    WriteFileBytes(file, {'x', 'y'});
    FILETIME never{0xFFFFFFFF, 0x7FFFFFFF};
    FILETIME none{};
    return CommitUrlCacheEntryW(url.c_str(), file, never, none, type, nullptr, 0, nullptr,
                                nullptr) != FALSE;
}

inline bool Cached(const std::wstring& url) {
    DWORD size = 0;
    GetUrlCacheEntryInfoW(url.c_str(), nullptr, &size);
    return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

// A cached entry held in use, as a page showing it holds it.
class CacheEntryInUse {
public:
    explicit CacheEntryInUse(std::wstring url) : url_(std::move(url)) {
        CommitCacheEntry(url_, NORMAL_CACHE_ENTRY);
        DWORD size = 0;
        RetrieveUrlCacheEntryFileW(url_.c_str(), nullptr, &size, 0);
        std::vector<unsigned char> info(size);
        locked_ = RetrieveUrlCacheEntryFileW(
                      url_.c_str(), reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(info.data()),
                      &size, 0) != FALSE;
    }
    ~CacheEntryInUse() { Release(); }
    CacheEntryInUse(const CacheEntryInUse&) = delete;
    CacheEntryInUse& operator=(const CacheEntryInUse&) = delete;

    bool Locked() const { return locked_; }
    void Release() {
        if (locked_) {
            UnlockUrlCacheEntryFileW(url_.c_str(), 0);
            locked_ = false;
        }
    }

private:
    std::wstring url_;
    bool locked_ = false;
};

} // namespace testing_support
