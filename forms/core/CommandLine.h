#pragma once

#include <string>
#include <string_view>

namespace forms {

// The argument string of a process command line: everything after the
// program name, without the blanks that separate it from the name.
std::wstring ArgumentTail(std::wstring_view commandLine);

} // namespace forms
