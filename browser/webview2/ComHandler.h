#pragma once

#include "forms/CallbackBoundary.h"

#include <windows.h>

#include <unknwn.h>

#include <functional>
#include <utility>

namespace browser {

// One WebView2 completion or event handler: Interface declares the single
// Invoke(A, B). The runtime calls it on the loop; the call runs inside the
// callback boundary, and an exception answers S_OK.
template <class Interface, class A, class B> class ComHandler final : public Interface {
public:
    ComHandler(const IID& iid, std::function<void(A, B)> body)
        : iid_(iid), body_(std::move(body)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == iid_) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE Invoke(A first, B second) override {
        return forms::Guarded(
            L"WebView2Browser.Invoke",
            [&] {
                if (body_) {
                    body_(first, second);
                }
                return S_OK;
            },
            [] { return S_OK; });
    }

private:
    ~ComHandler() = default;

    const IID iid_;
    std::function<void(A, B)> body_;
    ULONG references_ = 1;
};

} // namespace browser
