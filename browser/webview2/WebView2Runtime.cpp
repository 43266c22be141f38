#include "browser/webview2/WebView2Runtime.h"

#include "browser/core/WebView2Rules.h"
#include "forms/ErrorLog.h"

#include <shlobj.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace browser {

namespace {

#ifdef _WIN64
constexpr wchar_t kWidthFolder[] = L"x64";
constexpr wchar_t kOtherWidthFolder[] = L"x86";
constexpr std::uint16_t kOwnMachine = 0x8664;
#else
constexpr wchar_t kWidthFolder[] = L"x86";
constexpr wchar_t kOtherWidthFolder[] = L"x64";
constexpr std::uint16_t kOwnMachine = 0x14c;
#endif
constexpr DWORD kMaxText = 260;

std::wstring Variable(const wchar_t* name) {
    wchar_t value[kMaxText + 1] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, kMaxText + 1);
    return length == 0 || length > kMaxText ? L"" : std::wstring(value, length);
}

// The registered version under root (its 32-bit view), or "" without a
// valid one.
std::wstring RegisteredVersion(HKEY root) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, WebView2Runtime::kClientKey, 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY,
                      &key) != ERROR_SUCCESS) {
        return L"";
    }
    wchar_t text[64] = {};
    DWORD bytes = sizeof text - sizeof(wchar_t);
    const LSTATUS status = RegGetValueW(key, nullptr, L"pv", RRF_RT_REG_SZ, nullptr, text, &bytes);
    RegCloseKey(key);
    const std::wstring version = status == ERROR_SUCCESS ? std::wstring(text) : L"";
    return IsRuntimeVersion(version) ? version : L"";
}

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)) && path != nullptr) {
        folder = path;
    }
    CoTaskMemFree(path);
    return folder;
}

std::optional<std::uint16_t> MachineOfFile(const std::wstring& path) {
    const forms::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    unsigned char head[4096];
    DWORD read = 0;
    if (!file || !ReadFile(file.get(), head, sizeof head, &read, nullptr)) {
        return std::nullopt;
    }
    return PeMachine(head, read);
}

std::wstring LibraryFor(const std::wstring& folder, const wchar_t* width) {
    return folder + L"\\EBWebView\\" + width + L"\\EmbeddedBrowserWebView.dll";
}

struct Candidate {
    std::wstring folder;
    WebView2Runtime::Source source;
};

std::vector<Candidate> Candidates() {
    const std::wstring fixed = Variable(L"WEBVIEW2_BROWSER_EXECUTABLE_FOLDER");
    if (!fixed.empty()) {
        return {{fixed, WebView2Runtime::Source::Variable}};
    }
    std::vector<Candidate> found;
    const std::wstring tail = L"\\Microsoft\\EdgeWebView\\Application\\";
    const std::wstring machine = RegisteredVersion(HKEY_LOCAL_MACHINE);
    if (!machine.empty()) {
        found.push_back({KnownFolder(FOLDERID_ProgramFilesX86) + tail + machine,
                         WebView2Runtime::Source::Machine});
    }
    const std::wstring user = RegisteredVersion(HKEY_CURRENT_USER);
    if (!user.empty()) {
        found.push_back(
            {KnownFolder(FOLDERID_LocalAppData) + tail + user, WebView2Runtime::Source::User});
    }
    return found;
}

} // namespace

std::wstring WebView2Runtime::LibraryIn(const std::wstring& folder) {
    return LibraryFor(folder, kWidthFolder);
}

std::unique_ptr<WebView2Runtime> WebView2Runtime::Load(State& state) {
    state = State::Missing;
    for (const Candidate& candidate : Candidates()) {
        const std::wstring library = LibraryIn(candidate.folder);
        if (GetFileAttributesW(library.c_str()) == INVALID_FILE_ATTRIBUTES) {
            // Not installed for this width: the next candidate may be.
            const std::wstring other = LibraryFor(candidate.folder, kOtherWidthFolder);
            if (GetFileAttributesW(other.c_str()) != INVALID_FILE_ATTRIBUTES) {
                state = State::OtherWidth;
            }
            continue;
        }
        const std::optional<std::uint16_t> machine = MachineOfFile(library);
        if (machine != kOwnMachine) {
            state = machine ? State::OtherWidth : State::Broken;
            return nullptr;
        }
        std::unique_ptr<WebView2Runtime> runtime(new WebView2Runtime);
        runtime->module_.reset(
            LoadLibraryExW(library.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
        if (runtime->module_) {
            runtime->create_ =
                reinterpret_cast<wv2::CreateEnvironmentWithOptions>(reinterpret_cast<void (*)()>(
                    GetProcAddress(runtime->module_.get(), wv2::kCreateEnvironmentExport)));
        }
        if (runtime->create_ == nullptr) {
            state = State::Broken;
            return nullptr;
        }
        runtime->folder_ = candidate.folder;
        runtime->source_ = candidate.source;
        state = State::Found;
        return runtime;
    }
    return nullptr;
}

const WebView2Runtime* WebView2Runtime::OfProcess() {
    static const std::unique_ptr<WebView2Runtime> runtime = [] {
        State state = State::Missing;
        std::unique_ptr<WebView2Runtime> found = Load(state);
        // One there but unusable is worth an operator's look; none is not.
        if (state == State::OtherWidth || state == State::Broken) {
            forms::ErrorLog::Report(
                L"WebView2Runtime", L"OfProcess",
                state == State::OtherWidth
                    ? L"the runtime found is of the other width"
                    : L"the runtime found cannot be loaded or has no entry point");
        }
        return found;
    }();
    return runtime.get();
}

std::wstring WebView2Runtime::UserDataFolder(const std::wstring& name) {
    const std::wstring local = KnownFolder(FOLDERID_LocalAppData);
    return local.empty() ? L"" : local + L"\\" + name + L"\\WebView2";
}

HRESULT WebView2Runtime::CreateEnvironment(
    const std::wstring& userDataFolder,
    wv2::ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* handler) const {
    return create_(folder_.c_str(), userDataFolder.c_str(), nullptr, handler);
}

} // namespace browser
