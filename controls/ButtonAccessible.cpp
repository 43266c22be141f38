#include "controls/ButtonAccessible.h"

#include "controls/iButton.h"

namespace {

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT NoText(VARIANT child, BSTR* text) {
    if (text == nullptr) {
        return E_POINTER;
    }
    *text = nullptr;
    return IsSelf(child) ? S_FALSE : E_INVALIDARG;
}

void SetLong(VARIANT* result, LONG value) {
    VariantInit(result);
    result->vt = VT_I4;
    result->lVal = value;
}

} // namespace

void ButtonAccessible::Install() {
    iButton::AnswerScreenReadersWith(&ButtonAccessible::Answer);
}

// __uuidof, not IID_IAccessible: the 64-bit import library names a thunk by
// that name, not the interface's identifier.
LRESULT ButtonAccessible::Answer(HWND button, WPARAM wParam) {
    return Answer(button, wParam, nullptr);
}

LRESULT ButtonAccessible::Answer(HWND button, WPARAM wParam, const wchar_t* name) {
    auto* object = new ButtonAccessible(button, name);
    const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release();
    return result;
}

STDMETHODIMP ButtonAccessible::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) ButtonAccessible::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

STDMETHODIMP_(ULONG) ButtonAccessible::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

STDMETHODIMP ButtonAccessible::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

STDMETHODIMP ButtonAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP ButtonAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

STDMETHODIMP ButtonAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                      UINT*) {
    return E_NOTIMPL;
}

STDMETHODIMP ButtonAccessible::get_accParent(IDispatch** parent) {
    if (parent == nullptr) {
        return E_POINTER;
    }
    *parent = nullptr;
    return CreateStdAccessibleObject(button_, OBJID_WINDOW, IID_IDispatch,
                                     reinterpret_cast<void**>(parent));
}

STDMETHODIMP ButtonAccessible::get_accChildCount(long* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

STDMETHODIMP ButtonAccessible::get_accChild(VARIANT, IDispatch** child) {
    if (child != nullptr) {
        *child = nullptr;
    }
    return E_INVALIDARG;
}

// Straight into the string the reader frees: nothing here can throw.
STDMETHODIMP ButtonAccessible::get_accName(VARIANT child, BSTR* name) {
    if (name == nullptr) {
        return E_POINTER;
    }
    *name = nullptr;
    if (!IsSelf(child)) {
        return E_INVALIDARG;
    }
    if (name_ != nullptr) {
        *name = SysAllocString(name_);
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    const int length = GetWindowTextLengthW(button_);
    if (length <= 0) {
        return S_FALSE;
    }
    *name = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (*name == nullptr) {
        return E_OUTOFMEMORY;
    }
    GetWindowTextW(button_, *name, length + 1);
    return S_OK;
}

STDMETHODIMP ButtonAccessible::get_accValue(VARIANT child, BSTR* value) {
    return NoText(child, value);
}

STDMETHODIMP ButtonAccessible::get_accDescription(VARIANT child, BSTR* description) {
    return NoText(child, description);
}

STDMETHODIMP ButtonAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (role == nullptr) {
        return E_POINTER;
    }
    VariantInit(role);
    if (!IsSelf(child)) {
        return E_INVALIDARG;
    }
    SetLong(role, ROLE_SYSTEM_PUSHBUTTON);
    return S_OK;
}

STDMETHODIMP ButtonAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (state == nullptr) {
        return E_POINTER;
    }
    VariantInit(state);
    if (!IsSelf(child)) {
        return E_INVALIDARG;
    }
    LONG flags = STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == button_) {
        flags |= STATE_SYSTEM_FOCUSED;
    }
    if (!IsWindowEnabled(button_)) {
        flags |= STATE_SYSTEM_UNAVAILABLE;
    }
    if (!IsWindowVisible(button_)) {
        flags |= STATE_SYSTEM_INVISIBLE;
    }
    SetLong(state, flags);
    return S_OK;
}

STDMETHODIMP ButtonAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return NoText(child, help);
}

STDMETHODIMP ButtonAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    if (file != nullptr) {
        *file = nullptr;
    }
    if (topic != nullptr) {
        *topic = 0;
    }
    return S_FALSE;
}

STDMETHODIMP ButtonAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return NoText(child, shortcut);
}

STDMETHODIMP ButtonAccessible::get_accFocus(VARIANT* focus) {
    if (focus == nullptr) {
        return E_POINTER;
    }
    VariantInit(focus);
    if (GetFocus() != button_) {
        return S_FALSE;
    }
    SetLong(focus, CHILDID_SELF);
    return S_OK;
}

STDMETHODIMP ButtonAccessible::get_accSelection(VARIANT* selection) {
    if (selection == nullptr) {
        return E_POINTER;
    }
    VariantInit(selection);
    return S_FALSE;
}

STDMETHODIMP ButtonAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (action == nullptr) {
        return E_POINTER;
    }
    *action = nullptr;
    if (!IsSelf(child)) {
        return E_INVALIDARG;
    }
    *action = SysAllocString(L"按下");
    return *action != nullptr ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP ButtonAccessible::accSelect(long flags, VARIANT child) {
    if (!IsSelf(child)) {
        return E_INVALIDARG;
    }
    if ((flags & SELFLAG_TAKEFOCUS) != 0) {
        SetFocus(button_);
    }
    return S_OK;
}

STDMETHODIMP ButtonAccessible::accLocation(long* left, long* top, long* width, long* height,
                                           VARIANT child) {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
        return E_POINTER;
    }
    if (!IsSelf(child)) {
        return E_INVALIDARG;
    }
    RECT r{};
    if (!GetWindowRect(button_, &r)) {
        return E_FAIL;
    }
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

STDMETHODIMP ButtonAccessible::accNavigate(long, VARIANT, VARIANT* end) {
    if (end != nullptr) {
        VariantInit(end);
    }
    return S_FALSE;
}

STDMETHODIMP ButtonAccessible::accHitTest(long x, long y, VARIANT* child) {
    if (child == nullptr) {
        return E_POINTER;
    }
    VariantInit(child);
    RECT r{};
    const POINT at{x, y};
    if (!GetWindowRect(button_, &r) || !PtInRect(&r, at)) {
        return S_FALSE;
    }
    SetLong(child, CHILDID_SELF);
    return S_OK;
}

// Posted: the caller waits for no click to run.
STDMETHODIMP ButtonAccessible::accDoDefaultAction(VARIANT child) {
    if (!IsSelf(child)) {
        return E_INVALIDARG;
    }
    return PostMessageW(button_, BM_CLICK, 0, 0) ? S_OK : E_FAIL;
}

STDMETHODIMP ButtonAccessible::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}

STDMETHODIMP ButtonAccessible::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}
