#include "login/BrowserEvents.h"

#include "forms/CallbackBoundary.h"
#include "forms/ComPtr.h"
#include "login/IeBrowser.h"

#include <exdisp.h>
#include <exdispid.h>

#include <utility>

namespace login {

namespace {

// Arguments arrive last first: rgvarg[0] is the event's last parameter.
VARIANT* Argument(DISPPARAMS& params, UINT fromLast) {
    return fromLast < params.cArgs ? &params.rgvarg[fromLast] : nullptr;
}

std::wstring Text(const VARIANT* value) {
    if (value != nullptr && value->vt == (VT_BYREF | VT_VARIANT)) {
        value = value->pvarVal;
    }
    if (value == nullptr) {
        return L"";
    }
    BSTR text = value->vt == VT_BSTR                                   ? value->bstrVal
                : value->vt == (VT_BYREF | VT_BSTR) && value->pbstrVal ? *value->pbstrVal
                                                                       : nullptr;
    return text == nullptr ? L"" : std::wstring(text, SysStringLen(text));
}

VARIANT_BOOL* Flag(VARIANT* value) {
    return value != nullptr && value->vt == (VT_BYREF | VT_BOOL) ? value->pboolVal : nullptr;
}

} // namespace

STDMETHODIMP BrowserEvents::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) BrowserEvents::Release() {
    const ULONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

STDMETHODIMP BrowserEvents::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

STDMETHODIMP BrowserEvents::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP BrowserEvents::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                   EXCEPINFO*, UINT*) {
    return forms::Guarded(
        L"BrowserEvents.Invoke",
        [&] {
            if (owner_ != nullptr && params != nullptr) {
                Dispatch(id, *params);
            }
            return S_OK;
        },
        [] { return S_OK; });
}

// Handlers may destroy the engine: nothing of it is touched after raising.
void BrowserEvents::Dispatch(DISPID id, DISPPARAMS& params) {
    switch (id) {
    case DISPID_BEFORENAVIGATE2:
        lastError_.clear();
        if (VARIANT_BOOL* cancel = Flag(Argument(params, 0))) {
            bool answer = *cancel != VARIANT_FALSE;
            owner_->BeforeNavigate2(Text(Argument(params, 5)), answer);
            *cancel = answer ? VARIANT_TRUE : VARIANT_FALSE;
        }
        break;
    case DISPID_DOCUMENTCOMPLETE:
        owner_->DocumentComplete(Text(Argument(params, 0)));
        break;
    case DISPID_DOWNLOADBEGIN:
        owner_->DownloadBegin();
        break;
    case DISPID_TITLECHANGE:
        owner_->TitleChange(Text(Argument(params, 0)));
        break;
    case DISPID_NEWWINDOW2:
        OnNewWindow2(Argument(params, 1), Flag(Argument(params, 0)));
        break;
    case DISPID_NEWWINDOW3:
        OnNewWindow3(Flag(Argument(params, 3)), Text(Argument(params, 0)));
        break;
    case DISPID_NAVIGATEERROR:
        if (const VARIANT* source = Argument(params, 4)) {
            OnNavigateError(Text(Argument(params, 3)), IsTopLevel(*source));
        }
        break;
    default:
        break;
    }
}

// NewWindow2 carries no address. The new window gets a hidden control of
// ours whose first navigation tells it; where NewWindow3 follows, it refuses
// the request itself and the hidden control stays unused.
void BrowserEvents::OnNewWindow2(VARIANT* target, VARIANT_BOOL* cancel) {
    IDispatch* catcher = nullptr;
    if (target != nullptr && target->vt == (VT_BYREF | VT_DISPATCH) &&
        target->ppdispVal != nullptr) {
        catcher = owner_->NewWindowCatcher();
        *target->ppdispVal = catcher;
    }
    if (catcher == nullptr && cancel != nullptr) {
        *cancel = VARIANT_TRUE;
    }
}

// No window is ever opened by the control: the owner gets the address.
void BrowserEvents::OnNewWindow3(VARIANT_BOOL* cancel, const std::wstring& url) {
    if (cancel != nullptr) {
        *cancel = VARIANT_TRUE;
    }
    bool processed = false; // refused whatever the owner answers
    owner_->NewWindow(url, processed);
}

// Wine's control reports one failure twice; the owner hears of it once.
void BrowserEvents::OnNavigateError(const std::wstring& url, bool topLevel) {
    std::wstring error = (topLevel ? L"top " : L"frame ") + url;
    if (error == lastError_) {
        return;
    }
    lastError_ = std::move(error);
    owner_->NavigateError(url, topLevel);
}

bool BrowserEvents::IsTopLevel(const VARIANT& source) const {
    if (source.vt != VT_DISPATCH || source.pdispVal == nullptr) {
        return true;
    }
    forms::ComPtr<IUnknown> identity;
    source.pdispVal->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity.put()));
    return identity.get() == control_;
}

} // namespace login
