#pragma once

#include <windows.h>

#include <wininet.h>

#include <memory>

// WinINet's handles and the one header query every download makes.
namespace forms {

struct InternetHandleDeleter {
    void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
using InternetHandle = std::unique_ptr<void, InternetHandleDeleter>;

// A numeric response header (status code, content length); 0 when absent.
inline DWORD QueryNumber(HINTERNET request, DWORD info) {
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD index = 0;
    return HttpQueryInfoW(request, info | HTTP_QUERY_FLAG_NUMBER, &value, &size, &index) != FALSE
               ? value
               : 0;
}

} // namespace forms
