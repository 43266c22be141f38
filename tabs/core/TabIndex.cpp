#include "tabs/core/TabIndex.h"

#include <cwchar>
#include <cwctype>

const ITabForm* TabIndex::Form() const {
    const auto* form = std::get_if<const ITabForm*>(&value_);
    return form != nullptr ? *form : nullptr;
}

const CTabItem* TabIndex::Item() const {
    const auto* item = std::get_if<const CTabItem*>(&value_);
    return item != nullptr ? *item : nullptr;
}

std::optional<double> TabIndex::AsNumber() const {
    if (const double* position = Position()) {
        return *position;
    }
    const std::wstring* key = Key();
    if (key == nullptr) {
        return std::nullopt;
    }
    const wchar_t* text = key->c_str();
    while (std::iswspace(static_cast<wint_t>(*text))) {
        ++text;
    }
    wchar_t* end = nullptr;
    const double value = std::wcstod(text, &end);
    if (end == text) {
        return std::nullopt;
    }
    while (std::iswspace(static_cast<wint_t>(*end))) {
        ++end;
    }
    return *end == L'\0' ? std::optional<double>(value) : std::nullopt;
}
