#pragma once

// The stand-in runtime's shared state, between its objects
// (StandInObjects.cpp) and its control (StandInRuntime.cpp).

#include "browser/webview2/WebView2Api.h"

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <string>

namespace standin {

struct Object {
    const void* const* vtable;
    const wchar_t* name;
};

// The state a test scripts.
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
extern State g_state;

// The stand-in's objects.
extern Object g_environment, g_controller, g_webView, g_settings, g_starting, g_completed,
    g_newWindow;

// The events, by the name handlers are kept under.
inline constexpr wchar_t kStarting[] = L"NavigationStarting";
inline constexpr wchar_t kCompleted[] = L"NavigationCompleted";
inline constexpr wchar_t kFrameStarting[] = L"FrameNavigationStarting";
inline constexpr wchar_t kNewWindow[] = L"NewWindowRequested";
inline constexpr wchar_t kTitle[] = L"DocumentTitleChanged";
inline constexpr wchar_t kClose[] = L"WindowCloseRequested";

void Record(const std::wstring& line);
std::wstring Flag(BOOL value);
// Runs work from the loop later, as the runtime completes its calls.
void Post(std::function<void()> work);
// A creation's completion: posted, or kept while the test holds creation.
void Complete(std::function<void()> completion);
LPWSTR Allocated(const std::wstring& text);

} // namespace standin
