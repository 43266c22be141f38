#pragma once

#include <string>

// Whether a page's request for a new window may go to the user's default
// browser (through the shell, which reads blanks and quotes as its own):
// an http: or https: address that ParseWebAddress reads, or a mailto: one,
// of at most kMaxWebAddressLength characters. Refused besides: any white
// space or control character, Unicode ones included, and " < > ^ `.
// Anything else (file:, scripts, other programs' schemes) could run or open
// things on the player's machine.
bool IsForDefaultBrowser(const std::wstring& url);
