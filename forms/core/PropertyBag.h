#pragma once

#include "forms/core/StoredFont.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace forms {

using PropertyValue = std::variant<bool, std::int32_t, double, std::wstring>;

// The container's storage for a user control's design settings. Keys keep
// the order in which they were first written; a value equal to the default
// it is written with is left out, as a designer would store it.
class PropertyBag {
public:
    template <class T> T Read(const std::string& key, const T& defaultValue) const {
        const PropertyValue* stored = Find(key);
        if (stored == nullptr) {
            return defaultValue;
        }
        std::optional<T> converted = Convert<T>(*stored);
        return converted ? *converted : defaultValue;
    }

    template <class T> void Write(const std::string& key, const T& value, const T& defaultValue) {
        if (value == defaultValue) {
            Erase(key);
        } else {
            Store(key, PropertyValue(value));
        }
    }

    template <class T> void Write(const std::string& key, const T& value) {
        Store(key, PropertyValue(value));
    }

    // A font is stored as text (FontAsText); unreadable text gives the default.
    StoredFont ReadFont(const std::string& key, const StoredFont& defaultValue) const;
    void WriteFont(const std::string& key, const StoredFont& font) {
        Write<std::wstring>(key, FontAsText(font));
    }

    bool Contains(const std::string& key) const { return Find(key) != nullptr; }
    std::vector<std::string> Keys() const;
    void Clear() { entries_.clear(); }

private:
    const PropertyValue* Find(const std::string& key) const;
    void Store(const std::string& key, PropertyValue value);
    void Erase(const std::string& key);

    template <class T> static std::optional<T> Convert(const PropertyValue& value);

    std::vector<std::pair<std::string, PropertyValue>> entries_;
};

// Stored values convert the way a designer's text file would read them back:
// numbers and flags between each other, and from and to their decimal text.
std::optional<double> PropertyAsNumber(const PropertyValue& value);
std::wstring PropertyAsText(const PropertyValue& value);

template <class T> std::optional<T> PropertyBag::Convert(const PropertyValue& value) {
    if (const T* exact = std::get_if<T>(&value)) {
        return *exact;
    }
    if constexpr (std::is_same_v<T, std::wstring>) {
        return PropertyAsText(value);
    } else {
        std::optional<double> number = PropertyAsNumber(value);
        if (!number) {
            return std::nullopt;
        }
        if constexpr (std::is_same_v<T, bool>) {
            return *number != 0;
        } else if constexpr (std::is_integral_v<T>) {
            // A number the type cannot hold is as unreadable as text.
            if (!(*number >= std::numeric_limits<T>::min() &&
                  *number <= std::numeric_limits<T>::max())) {
                return std::nullopt;
            }
            return static_cast<T>(*number);
        } else {
            return static_cast<T>(*number);
        }
    }
}

} // namespace forms
