#include <windows.h>

#ifdef BARE_WITH_CHECKS
#include <wininet.h>
#endif

// The yardstick for start-up time: a plain window and a message loop. Built
// with BARE_WITH_CHECKS, it first does only the network work that must come
// before the client's splash: the online test and the manifest download.
namespace {

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

#ifdef BARE_WITH_CHECKS
void RunChecks() {
    DWORD flags = 0;
    if (InternetGetConnectedState(&flags, 0) == FALSE) {
        return;
    }
    HINTERNET internet = InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET request = internet ? InternetOpenUrlW(internet, BARE_MANIFEST_URL, nullptr, 0,
                                                    INTERNET_FLAG_RELOAD, 0)
                                 : nullptr;
    char buffer[4096];
    DWORD got = 0;
    while (request && InternetReadFile(request, buffer, sizeof buffer, &got) != FALSE && got != 0) {
    }
    if (request) {
        InternetCloseHandle(request);
    }
    if (internet) {
        InternetCloseHandle(internet);
    }
}
#endif

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef BARE_WITH_CHECKS
    RunChecks();
#endif
    WNDCLASSW wc{};
    wc.lpfnWndProc = BareProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"BareWindow";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"BareWindow", L"BareWindow", WS_POPUP, 100,
                                  100, 356, 122, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageW(&msg);
    }
    return 0;
}
