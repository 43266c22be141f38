#include "forms/core/IntegerText.h"

namespace forms {

std::wstring IntegerText(unsigned long long value) {
    wchar_t digits[20]; // 18446744073709551615
    wchar_t* first = digits + sizeof digits / sizeof *digits;
    do {
        *--first = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value != 0);
    return std::wstring(first, digits + sizeof digits / sizeof *digits);
}

} // namespace forms
