#include "tests/win32/BrowserRecorder.h"

#include "tests/win32/TestWindows.h"

#include <windows.h>

#include <algorithm>

namespace testing_support {

BrowserRecorder::BrowserRecorder(browser::IBrowser& browser) {
    held_ += browser.BeforeNavigate2.Connect(
        [this](const browser::Navigation& navigation, bool& cancel) {
            lines.push_back(L"before " + navigation.url);
            navigations.push_back(navigation);
            cancel = cancelIf && cancelIf(navigation.url);
        });
    held_ += browser.DocumentComplete.Connect(
        [this](const std::wstring& url) { lines.push_back(L"complete " + url); });
    held_ += browser.DownloadBegin.Connect([this] { lines.push_back(L"download"); });
    held_ += browser.TitleChange.Connect(
        [this](const std::wstring& title) { lines.push_back(L"title " + title); });
    held_ += browser.NewWindow.Connect([this](const std::wstring& url, bool& processed) {
        lines.push_back(L"newwindow " + url);
        processed = true;
    });
    held_ += browser.NavigateError.Connect(
        [this](const std::wstring& url, bool topLevel, browser::NavigationFailure failure) {
            lines.push_back(
                L"error " + url + (topLevel ? L" top" : L" frame") +
                (failure == browser::NavigationFailure::NoPage ? L" no-page" : L" error-page"));
        });
}

bool BrowserRecorder::WaitFor(const std::wstring& prefix, DWORD timeoutMs) {
    return PumpUntil(
        [&] {
            return std::any_of(lines.begin(), lines.end(), [&](const std::wstring& line) {
                return line.rfind(prefix, 0) == 0;
            });
        },
        timeoutMs);
}

} // namespace testing_support
