#include "tests/win32/webview2/StandInFiles.h"

namespace testing_support {

namespace {

std::wstring TestFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

} // namespace

std::wstring StandInFolder() {
    return TestFolder() + L"\\standin";
}
std::wstring OtherWidthFolder() {
    return TestFolder() + L"\\standin-other";
}

ScopedVariable::ScopedVariable(const wchar_t* name, const std::wstring& value) : name_(name) {
    wchar_t old[1024] = {};
    const DWORD length = GetEnvironmentVariableW(name, old, 1024);
    had_ = length > 0 && length < 1024;
    old_ = had_ ? old : L"";
    SetEnvironmentVariableW(name, value.empty() ? nullptr : value.c_str());
}

ScopedVariable::~ScopedVariable() {
    SetEnvironmentVariableW(name_.c_str(), had_ ? old_.c_str() : nullptr);
}

const LoadedStandIn& StandInRuntime() {
    static const std::unique_ptr<browser::WebView2Runtime> runtime = [] {
        const ScopedVariable folder(L"WEBVIEW2_BROWSER_EXECUTABLE_FOLDER", StandInFolder());
        browser::WebView2Runtime::State state = browser::WebView2Runtime::State::Missing;
        return browser::WebView2Runtime::Load(state);
    }();
    static const LoadedStandIn loaded = [] {
        LoadedStandIn made;
        made.runtime = runtime.get();
        const HMODULE module =
            GetModuleHandleW(browser::WebView2Runtime::LibraryIn(StandInFolder()).c_str());
        const auto control = reinterpret_cast<StandInControlFunction>(
            reinterpret_cast<void (*)()>(GetProcAddress(module, "StandInControl")));
        made.control = control != nullptr ? control() : nullptr;
        return made;
    }();
    return loaded;
}

std::vector<std::wstring> StandInLog() {
    std::vector<std::wstring> lines;
    std::wstring line;
    for (const wchar_t* c = StandInRuntime().control->Log(); *c != L'\0'; ++c) {
        if (*c == L'\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += *c;
        }
    }
    return lines;
}

} // namespace testing_support
