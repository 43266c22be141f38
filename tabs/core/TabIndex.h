#pragma once

#include <optional>
#include <string>
#include <variant>

class CTabItem;
class ITabForm;

// The four kinds of value that name a tab: a key, a 0-based position, a
// page form or an item.
class TabIndex {
public:
    TabIndex(int position) : value_(static_cast<double>(position)) {}
    TabIndex(double position) : value_(position) {}
    TabIndex(const wchar_t* key) : value_(std::wstring(key)) {}
    TabIndex(std::wstring key) : value_(std::move(key)) {}
    TabIndex(const ITabForm* form) : value_(form) {}
    TabIndex(const CTabItem* item) : value_(item) {}

    const std::wstring* Key() const { return std::get_if<std::wstring>(&value_); }
    const double* Position() const { return std::get_if<double>(&value_); }
    const ITabForm* Form() const;
    const CTabItem* Item() const;
    // A position, or a key that spells a number.
    std::optional<double> AsNumber() const;

private:
    std::variant<double, std::wstring, const ITabForm*, const CTabItem*> value_;
};
