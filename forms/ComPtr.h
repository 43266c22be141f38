#pragma once

#include <unknwn.h>

#include <utility>

namespace forms {

// Holds one reference to a COM object.
template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr& other) : p_(other.p_) { AddRef(); }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~ComPtr() { Release(); }
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters: drops the current reference first.
    T** put() {
        Release();
        return &p_;
    }
    void reset() { Release(); }
    // Takes over a reference the caller already holds, such as a new object's.
    void Attach(T* p) {
        Release();
        p_ = p;
    }

private:
    void AddRef() {
        if (p_ != nullptr) {
            p_->AddRef();
        }
    }
    void Release() {
        if (p_ != nullptr) {
            std::exchange(p_, nullptr)->Release();
        }
    }

    T* p_ = nullptr;
};

// A new COM object, held by its first reference (a new object starts at one).
template <class T, class... Args> ComPtr<T> MakeCom(Args&&... args) {
    ComPtr<T> made;
    made.Attach(new T(std::forward<Args>(args)...));
    return made;
}

} // namespace forms
