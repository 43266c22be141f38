#pragma once

#include <windows.h>

#include <ddeml.h>

#include <functional>
#include <string>

// A DDE server under the given service and topic that hands the text of
// every execute command on; a command the handler refuses, or one that
// fails, is answered "not processed". One at a time in the process.
class DdeSource {
public:
    using Execute = std::function<bool(const std::wstring& command)>;

    DdeSource(const std::wstring& service, const std::wstring& topic, Execute execute);
    ~DdeSource();
    DdeSource(const DdeSource&) = delete;
    DdeSource& operator=(const DdeSource&) = delete;

    bool Registered() const { return registered_; }

private:
    static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conv, HSZ topic, HSZ service,
                                      HDDEDATA data, ULONG_PTR, ULONG_PTR);
    HDDEDATA Answer(UINT type, HSZ topic, HDDEDATA data);

    DWORD instance_ = 0;
    HSZ service_ = nullptr;
    HSZ topic_ = nullptr;
    bool registered_ = false;
    Execute execute_;
};
