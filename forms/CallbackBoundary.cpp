#include "forms/CallbackBoundary.h"

#include "forms/ErrorLog.h"
#include "forms/Executable.h"

#include <string>

namespace forms {

namespace {
int depth = 0;
void (*outermostReturn)() = nullptr;
} // namespace

CallbackScope::CallbackScope() noexcept {
    ++depth;
}

CallbackScope::~CallbackScope() {
    if (--depth == 0 && outermostReturn != nullptr) {
        outermostReturn();
    }
}

void CallbackScope::OnOutermostReturn(void (*hook)()) noexcept {
    outermostReturn = hook;
}

bool CallbackScope::Active() noexcept {
    return depth > 0;
}

namespace {

std::wstring FailureText(const char* what) {
    std::wstring message = L"unhandled exception";
    if (what != nullptr) {
        message += L": ";
        for (const char* c = what; *c != '\0'; ++c) {
            message += static_cast<wchar_t>(static_cast<unsigned char>(*c));
        }
    }
    return message;
}

} // namespace

void ReportCallbackFailure(const wchar_t* where, const char* what) noexcept {
    try {
        ErrorLog::Report(L"Callback", where, FailureText(what));
    } catch (...) {
        // Nothing more can be said without memory.
    }
}

void ReportEntryFailure(const wchar_t* where, const char* what) noexcept {
    try {
        const std::wstring message = FailureText(what);
        ErrorLog::Report(L"Entry", where, message);
        MessageBoxW(nullptr, (std::wstring(where) + L": " + message).c_str(),
                    Executable::Name().c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
    } catch (...) {
        // Nothing more can be said without memory.
    }
}

} // namespace forms
