#pragma once

#include <cstddef>
#include <string>

// The text of a DDE execute command, as UTF-16 code units: up to the first
// NUL (or the whole block without one), an odd last byte dropped, blanks
// around it removed. Any block, of any length, gives some text.
std::wstring DdeCommandText(const unsigned char* data, std::size_t size);

// Whether an execute command may open a tab: an http: or https: address on
// any host, read one way only, of at most kMaxWebAddressLength characters.
bool IsDdeAddress(const std::wstring& command);
