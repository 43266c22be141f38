// Kept apart from the other units: only what stores designs links the C
// library's number printing.
#include "forms/core/Units.h"

#include <cwchar>

namespace forms {

std::wstring DecimalText(double value) {
    wchar_t text[32] = {};
    std::swprintf(text, sizeof text / sizeof *text, L"%g", value);
    return text;
}

} // namespace forms
