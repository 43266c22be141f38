#pragma once

#include <windows.h>

#include <unknwn.h>

// What a test asks of the stand-in WebView2 runtime (StandInRuntime.dll,
// loaded as EmbeddedBrowserWebView.dll): scripted events, and the log of
// every call the engine made, one line each ("Interface.Method argument").
// Creation and script completions are posted to the loop, as the runtime's.
class StandIn {
public:
    // Forgets the log, the objects' state and every handler.
    virtual void Reset() = 0;
    // The log, lines joined by '\n'; valid until the next call.
    virtual const wchar_t* Log() = 0;

    // Creation waits for ReleaseCreation while held; fails with failure.
    virtual void HoldCreation(bool hold) = 0;
    virtual void ReleaseCreation() = 0;
    virtual void FailCreation(HRESULT failure) = 0;
    virtual void SetSource(const wchar_t* uri) = 0;
    virtual void SetTitle(const wchar_t* title) = 0;
    // What ExecuteScript answers (JSON).
    virtual void SetScriptResult(const wchar_t* json) = 0;

    // Raised as the runtime raises them; each returns what the handler left
    // (cancel, handled: 1 or 0), or -1 with no handler registered.
    virtual int RaiseNavigationStarting(const wchar_t* uri, bool userInitiated, bool frame) = 0;
    virtual int RaiseNavigationCompleted(bool success, int webErrorStatus) = 0;
    virtual int RaiseNewWindowRequested(const wchar_t* uri, bool userInitiated) = 0;
    virtual int RaiseDocumentTitleChanged() = 0;
    virtual int RaiseWindowCloseRequested() = 0;

    // The stand-in's objects, by name ("environment", "controller",
    // "webview", "settings", "starting", "completed", "newwindow"), for
    // calling their slots directly; borrowed.
    virtual IUnknown* Object(const wchar_t* name) = 0;
};

// The stand-in's own export besides the runtime's entry point.
using StandInControlFunction = StandIn*(__cdecl*)();
