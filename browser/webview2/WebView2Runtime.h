#pragma once

#include "browser/webview2/WebView2Api.h"
#include "forms/Handles.h"

#include <windows.h>

#include <memory>
#include <string>

namespace browser {

// The installed WebView2 runtime, found and loaded as documented, without
// the SDK's loader library: the WEBVIEW2_BROWSER_EXECUTABLE_FOLDER variable
// first (when set, nothing else is tried); then the version registered under
// the per-machine client key, then the per-user one (32-bit registry view),
// each in its documented install folder. The runtime's
// EBWebView\<x86|x64>\EmbeddedBrowserWebView.dll must be of this process's
// width, checked in its file before it is loaded.
class WebView2Runtime {
public:
    enum class State { Found, Missing, OtherWidth, Broken };
    enum class Source { Variable, Machine, User };

    // A fresh look; null unless state is Found.
    static std::unique_ptr<WebView2Runtime> Load(State& state);
    // The process's runtime, looked for once, at first use; null without one.
    static const WebView2Runtime* OfProcess();

    const std::wstring& Folder() const { return folder_; }
    Source From() const { return source_; }
    // Starts the environment; the handler hears of it later, on the loop.
    HRESULT CreateEnvironment(
        const std::wstring& userDataFolder,
        wv2::ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* handler) const;

    // The registry's client key of the runtime, under HKLM and HKCU.
    static constexpr wchar_t kClientKey[] =
        L"SOFTWARE\\Microsoft\\EdgeUpdate\\Clients\\{F3017226-FE2A-4295-8BDF-00C3A9A7E4C5}";
    // Where a page engine keeps its profile: the user's local application
    // data, in a folder of the game's (name), "" when it cannot be told.
    static std::wstring UserDataFolder(const std::wstring& name);
    // The runtime file under a runtime folder, for this process's width.
    static std::wstring LibraryIn(const std::wstring& folder);

private:
    WebView2Runtime() = default;

    forms::Library module_;
    wv2::CreateEnvironmentWithOptions create_ = nullptr;
    std::wstring folder_;
    Source source_ = Source::Variable;
};

} // namespace browser
