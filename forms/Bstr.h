#pragma once

#include <windows.h>

#include <oleauto.h>

#include <string>

namespace forms {

// Owns one BSTR.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const std::wstring& text)
        : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    ~Bstr() { SysFreeString(text_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    BSTR get() const { return text_; }
    // For out-parameters: frees the current string first.
    BSTR* put() {
        SysFreeString(text_);
        text_ = nullptr;
        return &text_;
    }
    std::wstring str() const { return text_ == nullptr ? L"" : std::wstring(text_, Length()); }
    std::size_t Length() const { return SysStringLen(text_); }

private:
    BSTR text_ = nullptr;
};

} // namespace forms
