// The stand-in runtime's objects. Their tables are laid out here by slot,
// from the published order, independently of the engine's header, so that
// a call the header puts in the wrong slot lands on another method's name
// (or on an "unexpected" slot) in the log.
#include "tests/win32/webview2/StandInState.h"

#include <objbase.h>

namespace standin {

namespace {

using namespace wv2;

HRESULT STDMETHODCALLTYPE QueryInterfaceSlot(Object* self, REFIID iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || (self == &g_settings && iid == kIidSettings4)) {
        *out = self;
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}
ULONG STDMETHODCALLTYPE AddRefSlot(Object*) {
    return 2;
}
ULONG STDMETHODCALLTYPE ReleaseSlot(Object*) {
    return 1;
}

template <int Slot> void STDMETHODCALLTYPE Unexpected(Object* self) {
    Record(std::wstring(self->name) + L".unexpected#" + std::to_wstring(Slot));
}

#define SLOT(function) reinterpret_cast<const void*>(&function)
#define UNEXPECTED(n) SLOT(Unexpected<n>)
#define IUNKNOWN_SLOTS SLOT(QueryInterfaceSlot), SLOT(AddRefSlot), SLOT(ReleaseSlot)

// ICoreWebView2Environment
HRESULT STDMETHODCALLTYPE CreateController(
    Object*, HWND parent, ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) {
    Record(L"Environment.CreateCoreWebView2Controller");
    g_state.parent = parent;
    handler->AddRef();
    auto complete = [handler] {
        handler->Invoke(S_OK, reinterpret_cast<ICoreWebView2Controller*>(&g_controller));
        handler->Release();
    };
    Complete(complete);
    return S_OK;
}
const void* const kEnvironmentSlots[] = {IUNKNOWN_SLOTS, SLOT(CreateController)};

// ICoreWebView2Controller
HRESULT STDMETHODCALLTYPE PutIsVisible(Object*, BOOL visible) {
    Record(L"Controller.put_IsVisible " + Flag(visible));
    return S_OK;
}
HRESULT STDMETHODCALLTYPE PutBounds(Object*, RECT bounds) {
    Record(L"Controller.put_Bounds " + std::to_wstring(bounds.left) + L"," +
           std::to_wstring(bounds.top) + L"," + std::to_wstring(bounds.right) + L"," +
           std::to_wstring(bounds.bottom));
    return S_OK;
}
HRESULT STDMETHODCALLTYPE MoveFocus(Object*, MoveFocusReason reason) {
    Record(L"Controller.MoveFocus " + std::to_wstring(reason));
    return S_OK;
}
HRESULT STDMETHODCALLTYPE Close(Object*) {
    Record(std::wstring(L"Controller.Close ") +
           (IsWindow(g_state.parent) ? L"host-alive" : L"host-gone"));
    return S_OK;
}
HRESULT STDMETHODCALLTYPE GetCoreWebView2(Object*, ICoreWebView2** out) {
    Record(L"Controller.get_CoreWebView2");
    *out = reinterpret_cast<ICoreWebView2*>(&g_webView);
    return S_OK;
}
const void* const kControllerSlots[] = {
    IUNKNOWN_SLOTS,  UNEXPECTED(0),  SLOT(PutIsVisible), UNEXPECTED(2),        SLOT(PutBounds),
    UNEXPECTED(4),   UNEXPECTED(5),  UNEXPECTED(6),      UNEXPECTED(7),        UNEXPECTED(8),
    SLOT(MoveFocus), UNEXPECTED(10), UNEXPECTED(11),     UNEXPECTED(12),       UNEXPECTED(13),
    UNEXPECTED(14),  UNEXPECTED(15), UNEXPECTED(16),     UNEXPECTED(17),       UNEXPECTED(18),
    UNEXPECTED(19),  UNEXPECTED(20), SLOT(Close),        SLOT(GetCoreWebView2)};

// ICoreWebView2
HRESULT STDMETHODCALLTYPE GetSettings(Object*, ICoreWebView2Settings** out) {
    Record(L"WebView.get_Settings");
    *out = reinterpret_cast<ICoreWebView2Settings*>(&g_settings);
    return S_OK;
}
HRESULT STDMETHODCALLTYPE GetSource(Object*, LPWSTR* out) {
    Record(L"WebView.get_Source");
    *out = Allocated(g_state.source);
    return S_OK;
}
HRESULT STDMETHODCALLTYPE Navigate(Object*, LPCWSTR uri) {
    Record(std::wstring(L"WebView.Navigate ") + uri);
    return S_OK;
}
template <const wchar_t* Event>
HRESULT STDMETHODCALLTYPE AddHandler(Object*, IUnknown* handler, EventRegistrationToken* token) {
    Record(std::wstring(L"WebView.add_") + Event);
    handler->AddRef();
    IUnknown*& kept = g_state.handlers[Event];
    if (kept != nullptr) {
        kept->Release();
    }
    kept = handler;
    token->value = g_state.nextToken++;
    return S_OK;
}
template <const wchar_t* Event>
HRESULT STDMETHODCALLTYPE RemoveHandler(Object*, EventRegistrationToken) {
    Record(std::wstring(L"WebView.remove_") + Event);
    IUnknown*& kept = g_state.handlers[Event];
    if (kept != nullptr) {
        kept->Release();
        kept = nullptr;
    }
    return S_OK;
}
HRESULT STDMETHODCALLTYPE ExecuteScript(Object*, LPCWSTR script,
                                        ICoreWebView2ExecuteScriptCompletedHandler* handler) {
    Record(std::wstring(L"WebView.ExecuteScript ") + script);
    handler->AddRef();
    const std::wstring result = g_state.scriptResult;
    Post([handler, result] {
        handler->Invoke(S_OK, result.c_str());
        handler->Release();
    });
    return S_OK;
}
HRESULT STDMETHODCALLTYPE Reload(Object*) {
    Record(L"WebView.Reload");
    return S_OK;
}
HRESULT STDMETHODCALLTYPE GetDocumentTitle(Object*, LPWSTR* out) {
    Record(L"WebView.get_DocumentTitle");
    *out = Allocated(g_state.title);
    return S_OK;
}
// Published order: Settings, Source, Navigate, NavigateToString, then the
// events and methods up to WindowCloseRequested (slots 0 to 57).
const void* const kWebViewSlots[] = {IUNKNOWN_SLOTS,
                                     SLOT(GetSettings),
                                     SLOT(GetSource),
                                     SLOT(Navigate),
                                     UNEXPECTED(3),
                                     SLOT(AddHandler<kStarting>),
                                     SLOT(RemoveHandler<kStarting>),
                                     UNEXPECTED(6),
                                     UNEXPECTED(7),
                                     UNEXPECTED(8),
                                     UNEXPECTED(9),
                                     UNEXPECTED(10),
                                     UNEXPECTED(11),
                                     SLOT(AddHandler<kCompleted>),
                                     SLOT(RemoveHandler<kCompleted>),
                                     SLOT(AddHandler<kFrameStarting>),
                                     SLOT(RemoveHandler<kFrameStarting>),
                                     UNEXPECTED(16),
                                     UNEXPECTED(17),
                                     UNEXPECTED(18),
                                     UNEXPECTED(19),
                                     UNEXPECTED(20),
                                     UNEXPECTED(21),
                                     UNEXPECTED(22),
                                     UNEXPECTED(23),
                                     UNEXPECTED(24),
                                     UNEXPECTED(25),
                                     SLOT(ExecuteScript),
                                     UNEXPECTED(27),
                                     SLOT(Reload),
                                     UNEXPECTED(29),
                                     UNEXPECTED(30),
                                     UNEXPECTED(31),
                                     UNEXPECTED(32),
                                     UNEXPECTED(33),
                                     UNEXPECTED(34),
                                     UNEXPECTED(35),
                                     UNEXPECTED(36),
                                     UNEXPECTED(37),
                                     UNEXPECTED(38),
                                     UNEXPECTED(39),
                                     UNEXPECTED(40),
                                     SLOT(AddHandler<kNewWindow>),
                                     SLOT(RemoveHandler<kNewWindow>),
                                     SLOT(AddHandler<kTitle>),
                                     SLOT(RemoveHandler<kTitle>),
                                     SLOT(GetDocumentTitle),
                                     UNEXPECTED(46),
                                     UNEXPECTED(47),
                                     UNEXPECTED(48),
                                     UNEXPECTED(49),
                                     UNEXPECTED(50),
                                     UNEXPECTED(51),
                                     UNEXPECTED(52),
                                     UNEXPECTED(53),
                                     UNEXPECTED(54),
                                     UNEXPECTED(55),
                                     SLOT(AddHandler<kClose>),
                                     SLOT(RemoveHandler<kClose>)};
static_assert(sizeof kWebViewSlots / sizeof kWebViewSlots[0] == 3 + 58);

// ICoreWebView2Settings up to Settings4 (slots 0 to 25), put_ ones named.
template <const wchar_t* Setting> HRESULT STDMETHODCALLTYPE PutSetting(Object*, BOOL value) {
    Record(std::wstring(L"Settings.put_") + Setting + L" " + Flag(value));
    return S_OK;
}
constexpr wchar_t kScript[] = L"IsScriptEnabled";
constexpr wchar_t kWebMessage[] = L"IsWebMessageEnabled";
constexpr wchar_t kDialogs[] = L"AreDefaultScriptDialogsEnabled";
constexpr wchar_t kStatusBar[] = L"IsStatusBarEnabled";
constexpr wchar_t kDevTools[] = L"AreDevToolsEnabled";
constexpr wchar_t kContextMenus[] = L"AreDefaultContextMenusEnabled";
constexpr wchar_t kHostObjects[] = L"AreHostObjectsAllowed";
constexpr wchar_t kZoom[] = L"IsZoomControlEnabled";
constexpr wchar_t kPasswords[] = L"IsPasswordAutosaveEnabled";
constexpr wchar_t kAutofill[] = L"IsGeneralAutofillEnabled";
const void* const kSettingsSlots[] = {IUNKNOWN_SLOTS,
                                      UNEXPECTED(0),
                                      SLOT(PutSetting<kScript>),
                                      UNEXPECTED(2),
                                      SLOT(PutSetting<kWebMessage>),
                                      UNEXPECTED(4),
                                      SLOT(PutSetting<kDialogs>),
                                      UNEXPECTED(6),
                                      SLOT(PutSetting<kStatusBar>),
                                      UNEXPECTED(8),
                                      SLOT(PutSetting<kDevTools>),
                                      UNEXPECTED(10),
                                      SLOT(PutSetting<kContextMenus>),
                                      UNEXPECTED(12),
                                      SLOT(PutSetting<kHostObjects>),
                                      UNEXPECTED(14),
                                      SLOT(PutSetting<kZoom>),
                                      UNEXPECTED(16),
                                      UNEXPECTED(17), // IsBuiltInErrorPageEnabled
                                      UNEXPECTED(18),
                                      UNEXPECTED(19), // Settings2: UserAgent
                                      UNEXPECTED(20),
                                      UNEXPECTED(21), // Settings3: AreBrowserAcceleratorKeysEnabled
                                      UNEXPECTED(22),
                                      SLOT(PutSetting<kPasswords>),
                                      UNEXPECTED(24),
                                      SLOT(PutSetting<kAutofill>)};

// ICoreWebView2NavigationStartingEventArgs
HRESULT STDMETHODCALLTYPE GetUri(Object* self, LPWSTR* out) {
    Record(std::wstring(self->name) + L".get_Uri");
    *out = Allocated(g_state.uri);
    return S_OK;
}
HRESULT STDMETHODCALLTYPE GetIsUserInitiated(Object* self, BOOL* out) {
    Record(std::wstring(self->name) + L".get_IsUserInitiated");
    *out = g_state.userInitiated;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE PutCancel(Object*, BOOL cancel) {
    Record(L"Starting.put_Cancel " + Flag(cancel));
    g_state.cancel = cancel;
    return S_OK;
}
const void* const kStartingSlots[] = {IUNKNOWN_SLOTS, SLOT(GetUri),  SLOT(GetIsUserInitiated),
                                      UNEXPECTED(2),  UNEXPECTED(3), UNEXPECTED(4),
                                      SLOT(PutCancel)};

// ICoreWebView2NavigationCompletedEventArgs
HRESULT STDMETHODCALLTYPE GetIsSuccess(Object*, BOOL* out) {
    Record(L"Completed.get_IsSuccess");
    *out = g_state.success;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE GetWebErrorStatus(Object*, WebErrorStatus* out) {
    Record(L"Completed.get_WebErrorStatus");
    *out = static_cast<WebErrorStatus>(g_state.webErrorStatus);
    return S_OK;
}
const void* const kCompletedSlots[] = {IUNKNOWN_SLOTS, SLOT(GetIsSuccess), SLOT(GetWebErrorStatus)};

// ICoreWebView2NewWindowRequestedEventArgs
HRESULT STDMETHODCALLTYPE PutHandled(Object*, BOOL handled) {
    Record(L"NewWindow.put_Handled " + Flag(handled));
    g_state.handled = handled;
    return S_OK;
}
const void* const kNewWindowSlots[] = {IUNKNOWN_SLOTS,          SLOT(GetUri),     UNEXPECTED(1),
                                       UNEXPECTED(2),           SLOT(PutHandled), UNEXPECTED(4),
                                       SLOT(GetIsUserInitiated)};

} // namespace

Object g_environment = {kEnvironmentSlots, L"Environment"};
Object g_controller = {kControllerSlots, L"Controller"};
Object g_webView = {kWebViewSlots, L"WebView"};
Object g_settings = {kSettingsSlots, L"Settings"};
Object g_starting = {kStartingSlots, L"Starting"};
Object g_completed = {kCompletedSlots, L"Completed"};
Object g_newWindow = {kNewWindowSlots, L"NewWindow"};

} // namespace standin
