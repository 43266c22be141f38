// Apart from the rest of the check: the updater, which skips such lines,
// links nothing else of it (a 32-bit object's .eh_frame keeps all of it).
#include "forms/core/Text.h"
#include "update/core/UpdateRules.h"

namespace UpdateRules {

bool NamesAVersion(std::wstring_view line) {
    return forms::LowerAscii(line).find(L"version") != std::wstring::npos;
}

} // namespace UpdateRules
