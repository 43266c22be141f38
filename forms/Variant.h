#pragma once

#include <windows.h>

#include <oleauto.h>

namespace forms {

// Owns one VARIANT's contents.
class Variant {
public:
    Variant() { VariantInit(&value_); }
    ~Variant() { VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    const VARIANT& get() const { return value_; }
    // For out-parameters: clears the current contents first.
    VARIANT* put() {
        VariantClear(&value_);
        return &value_;
    }

private:
    VARIANT value_;
};

} // namespace forms
