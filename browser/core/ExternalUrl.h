#pragma once

#include <string>

// Whether a page's request for a new window may go to the user's default
// browser: web and mail addresses only. Anything else (file:, scripts,
// other programs' schemes) could run or open things on the player's
// machine and is refused.
bool IsForDefaultBrowser(const std::wstring& url);
