#pragma once

#include <windows.h>

#include <ole2.h>

namespace forms {

// OLE for the user-interface thread, from the start of a run to its end;
// every window and engine is gone before it ends.
class OleSession {
public:
    OleSession() : result_(OleInitialize(nullptr)) {}
    ~OleSession() {
        if (SUCCEEDED(result_)) {
            OleUninitialize();
        }
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    HRESULT result_;
};

} // namespace forms
