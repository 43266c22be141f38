#include "forms/Executable.h"

#include "forms/core/CommandLine.h"

namespace forms {

HINSTANCE Executable::Instance() {
    return GetModuleHandleW(nullptr);
}

std::wstring Executable::FullPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring Executable::Folder() {
    const std::wstring exe = FullPath();
    return exe.substr(0, exe.find_last_of(L"\\/"));
}

std::wstring Executable::Name() {
    const std::wstring exe = FullPath();
    std::wstring name = exe.substr(exe.find_last_of(L"\\/") + 1);
    const std::size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

std::wstring Executable::Command() {
    return ArgumentTail(GetCommandLineW());
}

} // namespace forms
