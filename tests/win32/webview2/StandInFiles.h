#pragma once

#include "browser/webview2/WebView2Runtime.h"
#include "tests/win32/webview2/StandIn.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace testing_support {

// The stand-in runtime's folders beside the test: standin holds this
// width's EBWebView\<x86|x64>\EmbeddedBrowserWebView.dll, standin-other
// the other width's build at the same place.
std::wstring StandInFolder();
std::wstring OtherWidthFolder();

// Sets an environment variable for the scope, and puts back what was there.
class ScopedVariable {
public:
    ScopedVariable(const wchar_t* name, const std::wstring& value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::wstring name_;
    std::wstring old_;
    bool had_ = false;
};

// The stand-in loaded from StandInFolder() through the variable, once for
// the process, with its control.
struct LoadedStandIn {
    const browser::WebView2Runtime* runtime = nullptr;
    StandIn* control = nullptr;
};
const LoadedStandIn& StandInRuntime();

// The lines of the stand-in's log.
std::vector<std::wstring> StandInLog();

} // namespace testing_support
