#include "tests/win32/BrowserRecorder.h"

#include "tests/win32/TestWindows.h"

#include <windows.h>

namespace testing_support {

BrowserRecorder::BrowserRecorder(login::IBrowser& browser) {
    browser.BeforeNavigate2.Connect([this](const login::Navigation& navigation, bool& cancel) {
        lines.push_back(L"before " + navigation.url);
        navigations.push_back(navigation);
        cancel = cancelIf && cancelIf(navigation.url);
    });
    browser.DocumentComplete.Connect(
        [this](const std::wstring& url) { lines.push_back(L"complete " + url); });
    browser.DownloadBegin.Connect([this] { lines.push_back(L"download"); });
    browser.TitleChange.Connect(
        [this](const std::wstring& title) { lines.push_back(L"title " + title); });
    browser.NewWindow.Connect([this](const std::wstring& url, bool& processed) {
        lines.push_back(L"newwindow " + url);
        processed = true;
    });
    browser.NavigateError.Connect(
        [this](const std::wstring& url, bool topLevel, login::NavigationFailure failure) {
            lines.push_back(
                L"error " + url + (topLevel ? L" top" : L" frame") +
                (failure == login::NavigationFailure::NoPage ? L" no-page" : L" error-page"));
        });
}

bool BrowserRecorder::WaitFor(const std::wstring& prefix, int timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        for (const std::wstring& line : lines) {
            if (line.rfind(prefix, 0) == 0) {
                return true;
            }
        }
        if (static_cast<int>(GetTickCount() - start) > timeoutMs) {
            return false;
        }
        PumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

void BrowserRecorder::Settle(int ms) {
    const DWORD start = GetTickCount();
    while (static_cast<int>(GetTickCount() - start) < ms) {
        PumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

} // namespace testing_support
