#include "mainwindow/core/DdeText.h"

#include "browser/core/WebAddress.h"
#include "forms/core/Text.h"

std::wstring DdeCommandText(const unsigned char* data, std::size_t size) {
    std::wstring text;
    if (data == nullptr) {
        return text;
    }
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const auto unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (unit == L'\0') {
            break;
        }
        text.push_back(unit);
    }
    return std::wstring(forms::Trim(text, L" \t\r\n"));
}

bool IsDdeAddress(const std::wstring& command) {
    return command.size() <= browser::kMaxWebAddressLength &&
           browser::ParseWebAddress(command).has_value();
}
