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
    // What runs each time the outermost scope ends (the loop's deletions).
    static void OnOutermostReturn(void (*hook)()) noexcept;
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

// Writes a failure that reached a program's or a thread's entry to the error
// log and shows it in a message box.
void ReportEntryFailure(const wchar_t* where, const char* what) noexcept;

// The outermost frame of wWinMain and of every thread: an exception that
// gets this far is reported (ReportEntryFailure) and the entry answers 1.
template <class Body> int GuardedEntry(const wchar_t* where, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (const std::exception& e) {
        ReportEntryFailure(where, e.what());
    } catch (...) {
        ReportEntryFailure(where, nullptr);
    }
    return 1;
}

} // namespace forms
