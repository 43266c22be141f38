#pragma once

#include <string>
#include <string_view>

// Text helpers for addresses, keys and manifest lines. Letter case is ASCII
// only, as the C runtime's is in the "C" locale the program runs in.
namespace forms {

wchar_t LowerAscii(wchar_t c);
std::wstring LowerAscii(std::wstring_view text);

bool StartsWith(std::wstring_view text, std::wstring_view prefix);
bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

// C0 control characters or DEL: never part of an address or a name as typed.
bool HasControlCharacters(std::wstring_view text);

// `text` without the characters of `blanks` at either end.
std::wstring_view Trim(std::wstring_view text, std::wstring_view blanks);

} // namespace forms
