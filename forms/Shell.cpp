#include "forms/Shell.h"

#include <windows.h>
#include <shellapi.h>

namespace forms {

namespace {
Shell::Opener& Installed() {
    static Shell::Opener opener;
    return opener;
}
} // namespace

void Shell::Open(const std::wstring& file, const std::wstring& parameters) {
    if (Installed()) {
        Installed()(file, parameters);
        return;
    }
    ShellExecuteW(nullptr, L"open", file.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                  nullptr, SW_SHOWNORMAL);
}

void Shell::Install(Opener opener) {
    Installed() = std::move(opener);
}

} // namespace forms
