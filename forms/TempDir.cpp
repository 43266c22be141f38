#include "forms/TempDir.h"

#include <windows.h>

namespace forms {

std::wstring GetTempDir() {
    wchar_t buffer[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, buffer);
    std::wstring dir(buffer);
    if (dir.empty() || dir.back() != L'\\') {
        dir += L'\\';
    }
    return dir;
}

} // namespace forms
