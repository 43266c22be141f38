// A stand-in for the WebView2 runtime's EmbeddedBrowserWebView.dll: the
// creation entry point, the log, and the control a test scripts it by.
#include "tests/win32/webview2/StandIn.h"
#include "tests/win32/webview2/StandInState.h"

#include <objbase.h>

#include <utility>

namespace standin {

using namespace wv2;

std::wstring g_log;
std::wstring g_logCopy;

void Record(const std::wstring& line) {
    g_log += line;
    g_log += L'\n';
}

std::wstring Flag(BOOL value) {
    return value ? L"1" : L"0";
}

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

void Complete(std::function<void()> completion) {
    if (g_state.hold) {
        g_state.held.push_back(std::move(completion));
    } else {
        Post(std::move(completion));
    }
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

State g_state;

LPWSTR Allocated(const std::wstring& text) {
    auto* copy = static_cast<LPWSTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
    if (copy != nullptr) {
        text.copy(copy, text.size());
        copy[text.size()] = L'\0';
    }
    return copy;
}

} // namespace standin

namespace {

using namespace standin;
using namespace wv2;

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
    Record(std::wstring(L"CreateEnvironment ") +
           (browserExecutableFolder ? browserExecutableFolder : L"") + L"|" +
           (userDataFolder ? userDataFolder : L"") + (options ? L"|options" : L""));
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
    Complete(complete);
    return S_OK;
}

extern "C" __declspec(dllexport) StandIn* __cdecl StandInControl() {
    return &g_control;
}
