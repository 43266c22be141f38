#include "forms/CallbackBoundary.h"

#include "forms/Application.h"
#include "msghook/ErrorLog.h"

#include <string>

namespace forms {

namespace {
int depth = 0;
} // namespace

CallbackScope::CallbackScope() noexcept {
    ++depth;
}

CallbackScope::~CallbackScope() {
    if (--depth == 0) {
        Application::CallbacksReturned();
    }
}

bool CallbackScope::Active() noexcept {
    return depth > 0;
}

void ReportCallbackFailure(const wchar_t* where, const char* what) noexcept {
    try {
        std::wstring message = L"unhandled exception";
        if (what != nullptr) {
            message += L": ";
            for (const char* c = what; *c != '\0'; ++c) {
                message += static_cast<wchar_t>(static_cast<unsigned char>(*c));
            }
        }
        ErrorLog::Report(L"Callback", where, message);
    } catch (...) {
        // Nothing more can be said without memory.
    }
}

} // namespace forms
