#include "update/core/FileNameRules.h"

#include "forms/core/Text.h"

#include <algorithm>
#include <string>

namespace UpdaterRules {

namespace {

// The system ignores blanks at the end of the part before the first dot:
// "nul .txt" is the null device too. Serial and printer ports also take
// the superscript digits one to three.
bool IsDeviceName(std::wstring_view name) {
    std::wstring stem = forms::LowerAscii(name.substr(0, name.find(L'.')));
    stem.erase(stem.find_last_not_of(L' ') + 1);
    for (const wchar_t* device : {L"con", L"prn", L"aux", L"nul", L"conin$", L"conout$"}) {
        if (stem == device) {
            return true;
        }
    }
    const bool port =
        stem.size() == 4 && (stem.compare(0, 3, L"com") == 0 || stem.compare(0, 3, L"lpt") == 0);
    return port && ((stem[3] >= L'1' && stem[3] <= L'9') || stem[3] == L'\u00B9' ||
                    stem[3] == L'\u00B2' || stem[3] == L'\u00B3');
}

} // namespace

bool IsSafeFileName(std::wstring_view name) {
    if (name.empty() || name.back() == L'.' || name.back() == L' ' ||
        name.find(L"..") != std::wstring_view::npos ||
        name.find_first_of(L"\\/:<>\"|?*") != std::wstring_view::npos) {
        return false;
    }
    const bool control = std::any_of(name.begin(), name.end(), [](wchar_t c) { return c < 32; });
    // "UPDATE~1.TAV" may be the short name of a file with a long one.
    const bool shortName = std::adjacent_find(name.begin(), name.end(), [](wchar_t a, wchar_t b) {
                               return a == L'~' && b >= L'0' && b <= L'9';
                           }) != name.end();
    return !control && !shortName && !IsDeviceName(name);
}

} // namespace UpdaterRules
