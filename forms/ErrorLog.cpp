#include "forms/ErrorLog.h"

#include "forms/Executable.h"
#include "forms/Host.h"

#include <windows.h>

namespace forms {

namespace {

void WriteToEventLog(const std::wstring& line) {
    HANDLE source = RegisterEventSourceW(nullptr, forms::Executable::Name().c_str());
    if (source == nullptr) {
        return;
    }
    const wchar_t* strings[] = {line.c_str()};
    ReportEventW(source, EVENTLOG_ERROR_TYPE, 0, 1, nullptr, 1, 0, strings, nullptr);
    DeregisterEventSource(source);
}

} // namespace

void ErrorLog::Report(const wchar_t* className, const wchar_t* routine,
                      const std::wstring& message) {
    const std::wstring line = std::wstring(className) + L"." + routine + L": " + message;
    if (std::vector<std::wstring>* sink = forms::Host::Current().errorSink) {
        sink->push_back(line);
    } else {
        WriteToEventLog(line);
    }
}

} // namespace forms
