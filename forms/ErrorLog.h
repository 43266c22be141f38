#pragma once

#include <functional>
#include <string>

// Where failures are written down (misuse of the message hooks, exceptions
// stopped at the callback boundary): one line per report,
// "Class.Routine: message", as an error entry in the Windows Application
// event log. Tests install their own sink to read the lines.
class ErrorLog {
public:
    using Sink = std::function<void(const std::wstring& line)>;

    static void Report(const wchar_t* className, const wchar_t* routine,
                       const std::wstring& message);
    // Replaces the event log; an empty sink puts it back.
    static void SetSink(Sink sink) { Installed() = std::move(sink); }

private:
    static Sink& Installed();
};
