#pragma once

#include "browser/IBrowser.h"
#include "browser/core/Navigation.h"
#include "browser/core/NewWindowGate.h"

#include <windows.h>

#include <oaidl.h>

#include <functional>
#include <string>
#include <utility>

namespace browser {

// Receives the browser control's DWebBrowserEvents2 and raises them as the
// engine's events. Every call from the control runs through the callback
// boundary. The engine detaches it before the control goes. The page never
// closes the control (window.close) and never opens a window of its own.
class BrowserEvents final : public IDispatch {
public:
    // control: the browser's own IUnknown, to tell its top document from
    // frames; reloaded: what the engine does again on a reloaded document.
    BrowserEvents(IBrowser& owner, IUnknown* control, std::function<void()> reloaded)
        : owner_(&owner), control_(control), reloaded_(std::move(reloaded)) {}
    void Detach() {
        owner_ = nullptr;
        control_ = nullptr;
        reloaded_ = nullptr;
    }

    // The gate of the page's own requests for new windows.
    void OfferNewWindow(const std::wstring& url, bool userAsked);

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                        UINT*) override;

private:
    ~BrowserEvents() = default;
    void Dispatch(DISPID id, DISPPARAMS& params);
    void OnBeforeNavigate2(DISPPARAMS& params);
    void OnNewWindow3(VARIANT_BOOL* cancel, long flags, const std::wstring& url);
    void OnNavigateError(const std::wstring& url, bool topLevel, NavigationFailure failure);
    bool IsTopLevel(const VARIANT* source) const;

    IBrowser* owner_;
    IUnknown* control_;
    std::function<void()> reloaded_;
    std::wstring lastError_; // since the last BeforeNavigate2
    NewWindowGate newWindows_;
    ULONG references_ = 1;
};

} // namespace browser
