#pragma once

#include <exception>
#include <utility>

namespace forms {

// Marks that code of ours runs on behalf of the system (a window procedure,
// a hook, a timer, a COM event, a DDE callback). Forms unloaded meanwhile
// are freed only once control is back in the message loop.
class CallbackScope {
public:
    CallbackScope() noexcept;
    ~CallbackScope();
    CallbackScope(const CallbackScope&) = delete;
    CallbackScope& operator=(const CallbackScope&) = delete;
    static bool Active() noexcept;
};

// Writes an exception stopped at the boundary to the error log.
void ReportCallbackFailure(const wchar_t* where, const char* what) noexcept;

// Every entry from the system into our code runs through here: no C++
// exception may cross a system frame (on i686 MinGW that ends the
// process). On an exception, the failure is reported and fallback()
// gives the default answer (for a window procedure, DefWindowProc).
template <class Body, class Fallback>
auto Guarded(const wchar_t* where, Body&& body, Fallback&& fallback) noexcept {
    CallbackScope scope;
    try {
        return std::forward<Body>(body)();
    } catch (const std::exception& e) {
        ReportCallbackFailure(where, e.what());
    } catch (...) {
        ReportCallbackFailure(where, nullptr);
    }
    return std::forward<Fallback>(fallback)();
}

} // namespace forms
