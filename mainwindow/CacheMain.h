#pragma once

#include <windows.h>

#include <string>

namespace CacheMain {

// Entry types that "清除缓存" keeps: cookies and visited history.
constexpr DWORD kKeepCookiesAndHistory = 0x300000;

// Empties the URL cache the browser shares with the system: every cache
// group, then every entry matching the pattern whose type has none of the
// mask's bits. Silent: it stops at the first failure it does not expect.
void ClearBrowserCache(const std::wstring& pattern, DWORD mask);

} // namespace CacheMain
