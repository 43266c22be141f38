// Kept apart from the other units: only what stores designs links the C
// library's number printing. --gc-sections does not make this moot: a
// 32-bit object's one .eh_frame keeps all its functions once any is linked.
#include "forms/core/Units.h"

#include <cwchar>

namespace forms {

std::wstring DecimalText(double value) {
    wchar_t text[32] = {};
    std::swprintf(text, sizeof text / sizeof *text, L"%g", value);
    return text;
}

} // namespace forms
