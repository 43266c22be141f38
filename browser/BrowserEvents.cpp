#include "browser/BrowserEvents.h"

#include "browser/IeDocument.h"
#include "browser/core/NavigationPolicy.h"
#include "forms/CallbackBoundary.h"
#include "forms/ComPtr.h"

#include <exdisp.h>
#include <exdispid.h>
#include <shobjidl.h>

#include <utility>

namespace browser {

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

bool IsTrue(const VARIANT* value) {
    if (value != nullptr && value->vt == (VT_BYREF | VT_VARIANT)) {
        value = value->pvarVal;
    }
    return value != nullptr && value->vt == VT_BOOL && value->boolVal != VARIANT_FALSE;
}

long Number(const VARIANT* value) {
    if (value != nullptr && value->vt == (VT_BYREF | VT_VARIANT)) {
        value = value->pvarVal;
    }
    if (value == nullptr) {
        return 0;
    }
    switch (value->vt) {
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
        return value->lVal;
    case VT_BYREF | VT_I4:
    case VT_BYREF | VT_UI4:
        return value->plVal != nullptr ? *value->plVal : 0;
    default:
        return 0;
    }
}

// A browser that cannot be read shows no document.
class NoDocument final : public DocumentNode {
public:
    std::wstring Address() const override { return L""; }
    std::size_t FrameCount() const override { return 0; }
    std::unique_ptr<DocumentNode> Frame(std::size_t) const override { return nullptr; }
};

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
        OnBeforeNavigate2(params);
        break;
    case DISPID_DOCUMENTCOMPLETE:
        owner_->DocumentComplete(Text(Argument(params, 0)));
        break;
    case DISPID_DOWNLOADBEGIN:
        owner_->DownloadBegin();
        break;
    case DISPID_DOWNLOADCOMPLETE:
        reloaded_();
        break;
    case DISPID_TITLECHANGE:
        owner_->TitleChange(Text(Argument(params, 0)));
        break;
    case DISPID_NEWWINDOW2:
        // No word on who asked: only NewWindow3 carries it.
        if (VARIANT_BOOL* cancel = Flag(Argument(params, 0))) {
            *cancel = VARIANT_TRUE;
        }
        break;
    case DISPID_NEWWINDOW3:
        OnNewWindow3(Flag(Argument(params, 3)), Number(Argument(params, 2)),
                     Text(Argument(params, 0)));
        break;
    case DISPID_FILEDOWNLOAD:
        // A file the control would offer to save or run; an active document
        // is a page it shows itself, already past BeforeNavigate2.
        if (VARIANT_BOOL* cancel = Flag(Argument(params, 0))) {
            if (!IsTrue(Argument(params, 1))) {
                *cancel = VARIANT_TRUE;
            }
        }
        break;
    case DISPID_WINDOWCLOSING:
        if (VARIANT_BOOL* cancel = Flag(Argument(params, 0))) {
            *cancel = VARIANT_TRUE;
        }
        break;
    case DISPID_NAVIGATEERROR:
        if (params.cArgs < 5) {
            break;
        }
        OnNavigateError(Text(Argument(params, 3)), IsTopLevel(Argument(params, 4)),
                        FailureOfStatus(Number(Argument(params, 1))));
        break;
    default:
        break;
    }
}

void BrowserEvents::OnBeforeNavigate2(DISPPARAMS& params) {
    lastError_.clear();
    VARIANT_BOOL* cancel = Flag(Argument(params, 0));
    if (cancel == nullptr) {
        return;
    }
    Navigation navigation;
    navigation.url = Text(Argument(params, 5));
    navigation.topLevel = IsTopLevel(Argument(params, 6));
    // Whoever navigates, the whole page is what a command is judged by.
    const std::unique_ptr<IeDocument> top = IeDocument::Of(control_);
    const NoDocument none;
    const bool cancelled =
        PassNavigation(owner_->BeforeNavigate2, std::move(navigation), *cancel != VARIANT_FALSE,
                       top ? static_cast<const DocumentNode&>(*top) : none);
    *cancel = cancelled ? VARIANT_TRUE : VARIANT_FALSE;
}

// No window is ever opened by the control: the owner gets the address of
// one the user asked for.
void BrowserEvents::OnNewWindow3(VARIANT_BOOL* cancel, long flags, const std::wstring& url) {
    if (cancel != nullptr) {
        *cancel = VARIANT_TRUE;
    }
    OfferNewWindow(url, (flags & NWMF_USERINITED) != 0);
}

void BrowserEvents::OfferNewWindow(const std::wstring& url, bool userAsked) {
    if (owner_ != nullptr) {
        OfferThroughGate(*owner_, newWindows_, url, userAsked);
    }
}

// Wine's control reports one failure twice; the owner hears of it once.
void BrowserEvents::OnNavigateError(const std::wstring& url, bool topLevel,
                                    NavigationFailure failure) {
    std::wstring error = (topLevel ? L"top " : L"frame ") + url;
    if (error == lastError_) {
        return;
    }
    lastError_ = std::move(error);
    owner_->NavigateError(url, topLevel, failure);
}

bool BrowserEvents::IsTopLevel(const VARIANT* source) const {
    if (source == nullptr || source->vt != VT_DISPATCH || source->pdispVal == nullptr) {
        return true;
    }
    forms::ComPtr<IUnknown> identity;
    source->pdispVal->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity.put()));
    return identity.get() == control_;
}

} // namespace browser
