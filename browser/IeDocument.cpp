#include "browser/IeDocument.h"

#include "forms/Bstr.h"
#include "forms/Variant.h"

#include <exdisp.h>
#include <servprov.h>
#include <shlguid.h>

#include <utility>

namespace browser {

namespace {

// Reads a property, or calls a method with one integer, by name.
bool Get(IDispatch* object, const wchar_t* name, forms::Variant& result,
         const long* index = nullptr) {
    if (object == nullptr) {
        return false;
    }
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
        return false;
    }
    VARIANT argument = {};
    argument.vt = VT_I4;
    DISPPARAMS params = {};
    WORD flags = DISPATCH_PROPERTYGET;
    if (index != nullptr) {
        argument.lVal = *index;
        params = {&argument, nullptr, 1, 0};
        flags |= DISPATCH_METHOD;
    }
    return SUCCEEDED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.put(),
                                    nullptr, nullptr));
}

forms::ComPtr<IDispatch> DispatchOf(const forms::Variant& value) {
    forms::ComPtr<IDispatch> object;
    if (value.get().vt == VT_DISPATCH && value.get().pdispVal != nullptr) {
        value.get().pdispVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(object.put()));
    }
    return object;
}

} // namespace

std::unique_ptr<IeDocument> IeDocument::Of(IUnknown* browser) {
    forms::ComPtr<IDispatch> object;
    if (browser == nullptr ||
        FAILED(browser->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(object.put())))) {
        return nullptr;
    }
    return std::make_unique<IeDocument>(std::move(object));
}

std::wstring IeDocument::Address() const {
    forms::Variant location;
    if (!Get(browser_.get(), L"LocationURL", location) || location.get().vt != VT_BSTR ||
        location.get().bstrVal == nullptr) {
        return L"";
    }
    return std::wstring(location.get().bstrVal, SysStringLen(location.get().bstrVal));
}

forms::ComPtr<IDispatch> IeDocument::Frames() const {
    forms::Variant document;
    forms::Variant frames;
    if (!Get(browser_.get(), L"Document", document) ||
        !Get(DispatchOf(document).get(), L"frames", frames)) {
        return {};
    }
    return DispatchOf(frames);
}

std::size_t IeDocument::FrameCount() const {
    forms::Variant length;
    if (!Get(Frames().get(), L"length", length) || length.get().vt != VT_I4) {
        return 0;
    }
    return length.get().lVal > 0 ? static_cast<std::size_t>(length.get().lVal) : 0;
}

std::unique_ptr<DocumentNode> IeDocument::Frame(std::size_t index) const {
    forms::Variant window;
    const long at = static_cast<long>(index);
    if (!Get(Frames().get(), L"item", window, &at)) {
        return nullptr;
    }
    const forms::ComPtr<IDispatch> frameWindow = DispatchOf(window);
    forms::ComPtr<IServiceProvider> services;
    // The frame's IWebBrowser2, of which only its IDispatch part is used.
    forms::ComPtr<IDispatch> browser;
    if (!frameWindow ||
        FAILED(frameWindow->QueryInterface(IID_IServiceProvider,
                                           reinterpret_cast<void**>(services.put()))) ||
        FAILED(services->QueryService(SID_SWebBrowserApp, IID_IWebBrowser2,
                                      reinterpret_cast<void**>(browser.put()))) ||
        !browser) {
        return nullptr;
    }
    return std::make_unique<IeDocument>(std::move(browser));
}

} // namespace browser
