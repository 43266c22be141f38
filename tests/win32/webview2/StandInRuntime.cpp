// A stand-in for the WebView2 runtime's EmbeddedBrowserWebView.dll: the
// creation entry point and the objects the engine calls. Its tables are
// laid out here by slot, from the published order, independently of the
// engine's header, so that a call the header puts in the wrong slot lands
// on another method's name (or on an "unexpected" slot) in the log.
#include "browser/webview2/WebView2Api.h"
#include "tests/win32/webview2/StandIn.h"

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <string>

namespace {

using namespace wv2;

struct Object {
    const void* const* vtable;
    const wchar_t* name;
};

std::wstring g_log;
std::wstring g_logCopy;

void Record(const std::wstring& line) {
    g_log += line;
    g_log += L'\n';
}

std::wstring Flag(BOOL value) { return value ? L"1" : L"0"; }

// Posted completions, run from the loop through a message-only window.
std::deque<std::function<void()>> g_posted;
HWND g_window = nullptr;
constexpr UINT kRunPosted = WM_APP + 7;

LRESULT CALLBACK PostedProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunPosted) {
        while (!g_posted.empty()) {
            const std::function<void()> work = g_posted.front();
            g_posted.pop_front();
            work();
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Post(std::function<void()> work) {
    if (g_window == nullptr) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = PostedProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"StandInRuntimePosted";
        RegisterClassW(&windowClass);
        g_window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                   nullptr, windowClass.hInstance, nullptr);
    }
    g_posted.push_back(std::move(work));
    PostMessageW(g_window, kRunPosted, 0, 0);
}

// The state a test scripts.
struct State {
    bool hold = false;
    HRESULT failure = S_OK;
    std::deque<std::function<void()>> held;
    std::wstring source;
    std::wstring title;
    std::wstring scriptResult = L"1234";
    HWND parent = nullptr;
    std::map<std::wstring, IUnknown*> handlers; // by event, one each
    BOOL cancel = FALSE;
    BOOL handled = FALSE;
    std::wstring uri;
    BOOL userInitiated = FALSE;
    BOOL success = TRUE;
    int webErrorStatus = 0;
    __int64 nextToken = 1;
};
State g_state;

LPWSTR Allocated(const std::wstring& text) {
    auto* copy = static_cast<LPWSTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
    if (copy != nullptr) {
        text.copy(copy, text.size());
        copy[text.size()] = L'\0';
    }
    return copy;
}

// The objects, each a table of slots and a name.
extern Object g_environment, g_controller, g_webView, g_settings, g_starting, g_completed,
    g_newWindow;

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
ULONG STDMETHODCALLTYPE AddRefSlot(Object*) { return 2; }
ULONG STDMETHODCALLTYPE ReleaseSlot(Object*) { return 1; }

template <int Slot> void STDMETHODCALLTYPE Unexpected(Object* self) {
    Record(std::wstring(self->name) + L".unexpected#" + std::to_wstring(Slot));
}

#define SLOT(function) reinterpret_cast<const void*>(&function)
#define UNEXPECTED(n) SLOT(Unexpected<n>)
#define IUNKNOWN_SLOTS SLOT(QueryInterfaceSlot), SLOT(AddRefSlot), SLOT(ReleaseSlot)


// ICoreWebView2Environment
HRESULT STDMETHODCALLTYPE CreateController(Object*, HWND parent,
                                           ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) {
    Record(L"Environment.CreateCoreWebView2Controller");
    g_state.parent = parent;
    handler->AddRef();
    auto complete = [handler] {
        handler->Invoke(S_OK, reinterpret_cast<ICoreWebView2Controller*>(&g_controller));
        handler->Release();
    };
    if (g_state.hold) {
        g_state.held.push_back(complete);
    } else {
        Post(complete);
    }
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
    IUNKNOWN_SLOTS,   UNEXPECTED(0),     SLOT(PutIsVisible), UNEXPECTED(2),  SLOT(PutBounds),
    UNEXPECTED(4),    UNEXPECTED(5),     UNEXPECTED(6),      UNEXPECTED(7),  UNEXPECTED(8),
    SLOT(MoveFocus),  UNEXPECTED(10),    UNEXPECTED(11),     UNEXPECTED(12), UNEXPECTED(13),
    UNEXPECTED(14),   UNEXPECTED(15),    UNEXPECTED(16),     UNEXPECTED(17), UNEXPECTED(18),
    UNEXPECTED(19),   UNEXPECTED(20),    SLOT(Close),        SLOT(GetCoreWebView2)};

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
constexpr wchar_t kStarting[] = L"NavigationStarting";
constexpr wchar_t kCompleted[] = L"NavigationCompleted";
constexpr wchar_t kFrameStarting[] = L"FrameNavigationStarting";
constexpr wchar_t kNewWindow[] = L"NewWindowRequested";
constexpr wchar_t kTitle[] = L"DocumentTitleChanged";
constexpr wchar_t kClose[] = L"WindowCloseRequested";
// Published order: Settings, Source, Navigate, NavigateToString, then the
// events and methods up to WindowCloseRequested (slots 0 to 57).
const void* const kWebViewSlots[] = {
    IUNKNOWN_SLOTS,
    SLOT(GetSettings), SLOT(GetSource), SLOT(Navigate), UNEXPECTED(3),
    SLOT(AddHandler<kStarting>), SLOT(RemoveHandler<kStarting>),
    UNEXPECTED(6), UNEXPECTED(7), UNEXPECTED(8), UNEXPECTED(9), UNEXPECTED(10), UNEXPECTED(11),
    SLOT(AddHandler<kCompleted>), SLOT(RemoveHandler<kCompleted>),
    SLOT(AddHandler<kFrameStarting>), SLOT(RemoveHandler<kFrameStarting>),
    UNEXPECTED(16), UNEXPECTED(17), UNEXPECTED(18), UNEXPECTED(19), UNEXPECTED(20),
    UNEXPECTED(21), UNEXPECTED(22), UNEXPECTED(23), UNEXPECTED(24), UNEXPECTED(25),
    SLOT(ExecuteScript), UNEXPECTED(27), SLOT(Reload),
    UNEXPECTED(29), UNEXPECTED(30), UNEXPECTED(31), UNEXPECTED(32), UNEXPECTED(33),
    UNEXPECTED(34), UNEXPECTED(35), UNEXPECTED(36), UNEXPECTED(37), UNEXPECTED(38),
    UNEXPECTED(39), UNEXPECTED(40),
    SLOT(AddHandler<kNewWindow>), SLOT(RemoveHandler<kNewWindow>),
    SLOT(AddHandler<kTitle>), SLOT(RemoveHandler<kTitle>), SLOT(GetDocumentTitle),
    UNEXPECTED(46), UNEXPECTED(47), UNEXPECTED(48), UNEXPECTED(49), UNEXPECTED(50),
    UNEXPECTED(51), UNEXPECTED(52), UNEXPECTED(53), UNEXPECTED(54), UNEXPECTED(55),
    SLOT(AddHandler<kClose>), SLOT(RemoveHandler<kClose>)};
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
const void* const kSettingsSlots[] = {
    IUNKNOWN_SLOTS,
    UNEXPECTED(0),  SLOT(PutSetting<kScript>),     UNEXPECTED(2),  SLOT(PutSetting<kWebMessage>),
    UNEXPECTED(4),  SLOT(PutSetting<kDialogs>),    UNEXPECTED(6),  SLOT(PutSetting<kStatusBar>),
    UNEXPECTED(8),  SLOT(PutSetting<kDevTools>),   UNEXPECTED(10), SLOT(PutSetting<kContextMenus>),
    UNEXPECTED(12), SLOT(PutSetting<kHostObjects>), UNEXPECTED(14), SLOT(PutSetting<kZoom>),
    UNEXPECTED(16), UNEXPECTED(17), // IsBuiltInErrorPageEnabled
    UNEXPECTED(18), UNEXPECTED(19), // Settings2: UserAgent
    UNEXPECTED(20), UNEXPECTED(21), // Settings3: AreBrowserAcceleratorKeysEnabled
    UNEXPECTED(22), SLOT(PutSetting<kPasswords>), UNEXPECTED(24), SLOT(PutSetting<kAutofill>)};

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
const void* const kStartingSlots[] = {IUNKNOWN_SLOTS,     SLOT(GetUri),  SLOT(GetIsUserInitiated),
                                      UNEXPECTED(2),      UNEXPECTED(3), UNEXPECTED(4),
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
const void* const kNewWindowSlots[] = {IUNKNOWN_SLOTS, SLOT(GetUri),     UNEXPECTED(1),
                                       UNEXPECTED(2),  SLOT(PutHandled), UNEXPECTED(4),
                                       SLOT(GetIsUserInitiated)};

Object g_environment = {kEnvironmentSlots, L"Environment"};
Object g_controller = {kControllerSlots, L"Controller"};
Object g_webView = {kWebViewSlots, L"WebView"};
Object g_settings = {kSettingsSlots, L"Settings"};
Object g_starting = {kStartingSlots, L"Starting"};
Object g_completed = {kCompletedSlots, L"Completed"};
Object g_newWindow = {kNewWindowSlots, L"NewWindow"};

// Every event handler has Invoke(sender, args) in slot 3.
int Raise(const wchar_t* event, Object* args) {
    IUnknown* handler = g_state.handlers[event];
    if (handler == nullptr) {
        return -1;
    }
    handler->AddRef();
    using Invoker = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, void*, void*);
    const auto invoke = reinterpret_cast<Invoker>((*reinterpret_cast<void***>(handler))[3]);
    invoke(handler, &g_webView, args);
    handler->Release();
    return 0;
}

class Control final : public StandIn {
public:
    void Reset() override {
        for (auto& [event, handler] : g_state.handlers) {
            if (handler != nullptr) {
                handler->Release();
            }
        }
        g_state = State();
        g_log.clear();
    }
    const wchar_t* Log() override {
        g_logCopy = g_log;
        return g_logCopy.c_str();
    }
    void HoldCreation(bool hold) override { g_state.hold = hold; }
    void ReleaseCreation() override {
        g_state.hold = false;
        while (!g_state.held.empty()) {
            Post(g_state.held.front());
            g_state.held.pop_front();
        }
    }
    void FailCreation(HRESULT failure) override { g_state.failure = failure; }
    void SetSource(const wchar_t* uri) override { g_state.source = uri; }
    void SetTitle(const wchar_t* title) override { g_state.title = title; }
    void SetScriptResult(const wchar_t* json) override { g_state.scriptResult = json; }
    int RaiseNavigationStarting(const wchar_t* uri, bool userInitiated, bool frame) override {
        g_state.uri = uri;
        g_state.userInitiated = userInitiated;
        g_state.cancel = FALSE;
        const int raised = Raise(frame ? kFrameStarting : kStarting, &g_starting);
        return raised < 0 ? raised : g_state.cancel;
    }
    int RaiseNavigationCompleted(bool success, int webErrorStatus) override {
        g_state.success = success;
        g_state.webErrorStatus = webErrorStatus;
        return Raise(kCompleted, &g_completed);
    }
    int RaiseNewWindowRequested(const wchar_t* uri, bool userInitiated) override {
        g_state.uri = uri;
        g_state.userInitiated = userInitiated;
        g_state.handled = FALSE;
        const int raised = Raise(kNewWindow, &g_newWindow);
        return raised < 0 ? raised : g_state.handled;
    }
    int RaiseDocumentTitleChanged() override { return Raise(kTitle, nullptr); }
    int RaiseWindowCloseRequested() override { return Raise(kClose, nullptr); }
    IUnknown* Object(const wchar_t* name) override {
        const std::wstring wanted = name;
        for (::Object* object : {&g_environment, &g_controller, &g_webView, &g_settings,
                                 &g_starting, &g_completed, &g_newWindow}) {
            std::wstring own = object->name;
            for (wchar_t& c : own) {
                c = static_cast<wchar_t>(towlower(c));
            }
            if (own == wanted) {
                return reinterpret_cast<IUnknown*>(object);
            }
        }
        return nullptr;
    }
};
Control g_control;

} // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE CreateCoreWebView2EnvironmentWithOptions(
    PCWSTR browserExecutableFolder, PCWSTR userDataFolder, IUnknown* options,
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* handler) {
    Record(std::wstring(L"CreateEnvironment ") + (browserExecutableFolder ? browserExecutableFolder : L"") +
           L"|" + (userDataFolder ? userDataFolder : L"") + (options ? L"|options" : L""));
    if (handler == nullptr) {
        return E_POINTER;
    }
    handler->AddRef();
    const HRESULT failure = g_state.failure;
    auto complete = [handler, failure] {
        handler->Invoke(failure, SUCCEEDED(failure)
                                     ? reinterpret_cast<ICoreWebView2Environment*>(&g_environment)
                                     : nullptr);
        handler->Release();
    };
    if (g_state.hold) {
        g_state.held.push_back(complete);
    } else {
        Post(complete);
    }
    return S_OK;
}

extern "C" __declspec(dllexport) StandIn* __cdecl StandInControl() { return &g_control; }
