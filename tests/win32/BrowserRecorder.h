#pragma once

#include "browser/IBrowser.h"
#include "forms/core/Connection.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// Writes down every event of a browser as one line each ("before URL",
// "complete URL", "download", "title TEXT", "newwindow URL", "error URL top
// no-page" or "error URL frame error-page"), keeps each navigation whole, and
// cancels the navigations cancelIf picks.
class BrowserRecorder {
public:
    explicit BrowserRecorder(browser::IBrowser& browser);

    // Pumps messages until a line starting with prefix is written, or
    // timeoutMs passes; true when it came.
    bool WaitFor(const std::wstring& prefix, DWORD timeoutMs = 10000);

    std::vector<std::wstring> lines;
    std::vector<browser::Navigation> navigations;
    std::function<bool(const std::wstring& url)> cancelIf;

private:
    forms::Connections held_;
};

} // namespace testing_support
