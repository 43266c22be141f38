#pragma once

#include <functional>
#include <string>

namespace forms {

// Where failures are written down (misuse of the message hooks, exceptions
// stopped at the callback boundary): one line per report,
// "Class.Routine: message", as an error entry in the Windows Application
// event log, or to the host's sink (forms::Host::errorSink) when it has one:
// tests read the lines there.
class ErrorLog {
public:
    static void Report(const wchar_t* className, const wchar_t* routine,
                       const std::wstring& message);
};

} // namespace forms
