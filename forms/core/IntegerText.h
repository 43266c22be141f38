#pragma once

#include <string>

namespace forms {

// Decimal digits of a number, without the C library's formatted output,
// which would bring its floating-point printing along.
std::wstring IntegerText(unsigned long long value);

} // namespace forms
