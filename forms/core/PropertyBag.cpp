#include "forms/core/PropertyBag.h"

#include "forms/core/Units.h"

#include <cwchar>

namespace forms {

std::vector<std::string> PropertyBag::Keys() const {
    std::vector<std::string> keys;
    keys.reserve(entries_.size());
    for (const auto& entry : entries_) {
        keys.push_back(entry.first);
    }
    return keys;
}

StoredFont PropertyBag::ReadFont(const std::string& key, const StoredFont& defaultValue) const {
    const PropertyValue* stored = Find(key);
    const std::optional<StoredFont> font =
        stored != nullptr ? FontFromText(PropertyAsText(*stored)) : std::nullopt;
    return font ? *font : defaultValue;
}

const PropertyValue* PropertyBag::Find(const std::string& key) const {
    for (const auto& entry : entries_) {
        if (entry.first == key) {
            return &entry.second;
        }
    }
    return nullptr;
}

void PropertyBag::Store(const std::string& key, PropertyValue value) {
    for (auto& entry : entries_) {
        if (entry.first == key) {
            entry.second = std::move(value);
            return;
        }
    }
    entries_.emplace_back(key, std::move(value));
}

void PropertyBag::Erase(const std::string& key) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->first == key) {
            entries_.erase(it);
            return;
        }
    }
}

std::optional<double> PropertyAsNumber(const PropertyValue& value) {
    if (const bool* flag = std::get_if<bool>(&value)) {
        return *flag ? -1.0 : 0.0;
    }
    if (const std::int32_t* whole = std::get_if<std::int32_t>(&value)) {
        return static_cast<double>(*whole);
    }
    if (const double* real = std::get_if<double>(&value)) {
        return *real;
    }
    const std::wstring& text = std::get<std::wstring>(value);
    wchar_t* end = nullptr;
    const double parsed = std::wcstod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size()) {
        return std::nullopt;
    }
    return parsed;
}

std::wstring PropertyAsText(const PropertyValue& value) {
    if (const std::wstring* text = std::get_if<std::wstring>(&value)) {
        return *text;
    }
    if (const bool* flag = std::get_if<bool>(&value)) {
        return *flag ? L"True" : L"False";
    }
    if (const std::int32_t* whole = std::get_if<std::int32_t>(&value)) {
        return std::to_wstring(*whole);
    }
    return DecimalText(std::get<double>(value));
}

} // namespace forms
