// Apart from the rest of the check: the updater, which skips such lines,
// links nothing else of it (a 32-bit object's .eh_frame keeps all of it).
#include "update/core/UpdateRules.h"

namespace UpdateRules {

namespace {

wchar_t LowerAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

} // namespace

bool NamesAVersion(std::wstring_view line) {
    std::wstring lower(line);
    for (wchar_t& c : lower) {
        c = LowerAscii(c);
    }
    return lower.find(L"version") != std::wstring::npos;
}

} // namespace UpdateRules
