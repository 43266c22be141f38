#include "mainwindow/CacheMain.h"

#include <wininet.h>

#include <memory>
#include <vector>

namespace CacheMain {

namespace {

struct CacheFindCloser {
    void operator()(HANDLE handle) const { FindCloseUrlCache(handle); }
};
using CacheFind = std::unique_ptr<std::remove_pointer_t<HANDLE>, CacheFindCloser>;

// A system without the group calls reports them as not implemented; the
// entries are still cleaned then.
bool GroupCallMissing() {
    return GetLastError() == ERROR_CALL_NOT_IMPLEMENTED;
}

// False when a group could not be deleted or listed.
bool DeleteGroups() {
    GROUPID group = 0;
    // Some systems without groups fail the call without saying why.
    SetLastError(ERROR_SUCCESS);
    CacheFind find(FindFirstUrlCacheGroup(0, CACHEGROUP_SEARCH_ALL, nullptr, 0, &group, nullptr));
    if (!find) {
        const DWORD error = GetLastError();
        return error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND ||
               error == ERROR_NO_MORE_ITEMS || error == ERROR_CALL_NOT_IMPLEMENTED;
    }
    for (;;) {
        if (!DeleteUrlCacheGroup(group, CACHEGROUP_FLAG_FLUSHURL_ONDELETE, nullptr) &&
            !GroupCallMissing()) {
            return false;
        }
        if (!FindNextUrlCacheGroup(find.get(), &group, nullptr)) {
            const DWORD error = GetLastError();
            return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_ITEMS;
        }
    }
}

// The entry buffer grows when an entry does not fit, so that one large
// entry does not end the cleaning.
class EntryBuffer {
public:
    // Ready for the next call.
    INTERNET_CACHE_ENTRY_INFOW* Info() {
        auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(bytes_.data());
        info->dwStructSize = sizeof(INTERNET_CACHE_ENTRY_INFOW);
        size_ = static_cast<DWORD>(bytes_.size());
        return info;
    }
    const INTERNET_CACHE_ENTRY_INFOW& Entry() const {
        return *reinterpret_cast<const INTERNET_CACHE_ENTRY_INFOW*>(bytes_.data());
    }
    DWORD* Size() { return &size_; }
    // After a call failed: true when it failed for room, now made.
    bool Grow() {
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size_ <= bytes_.size()) {
            return false;
        }
        bytes_.resize(size_);
        return true;
    }

private:
    std::vector<unsigned char> bytes_ = std::vector<unsigned char>(2048);
    DWORD size_ = 0;
};

// The system knows only its container prefixes as patterns; "*.*" means
// every entry, which is what no pattern at all gives.
const wchar_t* SystemPattern(const std::wstring& pattern) {
    return pattern == L"*.*" || pattern.empty() ? nullptr : pattern.c_str();
}

// After a listing call failed: whether it failed because the list ended.
bool ListingEnded() {
    const DWORD error = GetLastError();
    return error == ERROR_NO_MORE_ITEMS || error == ERROR_FILE_NOT_FOUND;
}

void DeleteEntries(const std::wstring& pattern, DWORD mask, ClearResult& result) {
    EntryBuffer buffer;
    const wchar_t* search = SystemPattern(pattern);
    CacheFind find(FindFirstUrlCacheEntryW(search, buffer.Info(), buffer.Size()));
    while (!find && buffer.Grow()) {
        find.reset(FindFirstUrlCacheEntryW(search, buffer.Info(), buffer.Size()));
    }
    if (!find) {
        result.entriesListed = ListingEnded();
        return;
    }
    for (;;) {
        const INTERNET_CACHE_ENTRY_INFOW& entry = buffer.Entry();
        if ((entry.CacheEntryType & mask) == 0 && entry.lpszSourceUrlName != nullptr) {
            ++(DeleteUrlCacheEntryW(entry.lpszSourceUrlName) ? result.deleted : result.failed);
        }
        BOOL next = FindNextUrlCacheEntryW(find.get(), buffer.Info(), buffer.Size());
        while (!next && buffer.Grow()) {
            next = FindNextUrlCacheEntryW(find.get(), buffer.Info(), buffer.Size());
        }
        if (!next) {
            result.entriesListed = ListingEnded();
            return;
        }
    }
}

} // namespace

ClearResult ClearBrowserCache(const std::wstring& pattern, DWORD mask) {
    ClearResult result;
    result.groupsCleared = DeleteGroups();
    DeleteEntries(pattern, mask, result);
    return result;
}

} // namespace CacheMain
