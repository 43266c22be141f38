#pragma once

#include <windows.h>

#include <string>

namespace CacheMain {

// Entry types that "清除缓存" keeps: cookies and visited history.
constexpr DWORD kKeepCookiesAndHistory = 0x300000;

// What a cleaning achieved.
struct ClearResult {
    unsigned deleted = 0;      // entries removed
    unsigned failed = 0;       // entries that could not be removed (say, in use)
    bool groupsCleared = true; // every cache group went
    bool entriesListed = true; // the entry listing ran to its end
    bool Complete() const { return failed == 0 && groupsCleared && entriesListed; }
};

// Empties the URL cache the browser shares with the system: every cache
// group, then every entry matching the pattern whose type has none of the
// mask's bits. The entries are cleaned even when a group could not be.
ClearResult ClearBrowserCache(const std::wstring& pattern, DWORD mask);

} // namespace CacheMain
