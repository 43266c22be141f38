#include "msghook/CSubclass.h"

#include <windows.h>

#include <cstdio>

// Cost of one SendMessage to a window hooked with every message and a
// handler that does nothing, beside the same window unhooked.
namespace {

LRESULT CALLBACK Plain(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_APP ? 1 : DefWindowProcW(hWnd, message, wParam, lParam);
}

// The least any hook costs: one procedure in front that calls the old one.
WNDPROC swappedOut = nullptr;
LRESULT CALLBACK Swap(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(swappedOut, hWnd, message, wParam, lParam);
}

double NanosecondsPerSend(HWND window, int count) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < count; ++i) {
        SendMessageW(window, WM_APP, 0, 0);
    }
    QueryPerformanceCounter(&end);
    return (end.QuadPart - start.QuadPart) * 1e9 / frequency.QuadPart / count;
}

} // namespace

int main() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Plain;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BenchPlain";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, L"BenchPlain", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    constexpr int kCount = 200000;
    NanosecondsPerSend(window, kCount / 10); // warm up
    double best[3] = {1e30, 1e30, 1e30};
    CSubclass subclass;
    const forms::Connection handler = subclass.WindowProc.Connect(
        [](bool, bool&, LRESULT&, HWND, UINT, WPARAM, LPARAM, LONG_PTR&) {});
    for (int round = 0; round < 5; ++round) {
        const double plain = NanosecondsPerSend(window, kCount);
        subclass.ssc_Subclass(window);
        subclass.ssc_AddMsg(window, CSubclass::ALL_MESSAGES, CSubclass::WHEN_BEFORE);
        const double hooked = NanosecondsPerSend(window, kCount);
        subclass.ssc_UnSubclass(window);
        swappedOut = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Swap)));
        const double swapped = NanosecondsPerSend(window, kCount);
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(swappedOut));
        best[0] = plain < best[0] ? plain : best[0];
        best[1] = hooked < best[1] ? hooked : best[1];
        best[2] = swapped < best[2] ? swapped : best[2];
    }
    std::printf("SendMessage round trip, best of 5 x %d (ns)\n", kCount);
    std::printf("  unhooked                 %8.1f\n", best[0]);
    std::printf("  hooked, ALL_MESSAGES     %8.1f\n", best[1]);
    std::printf("  bare procedure swap      %8.1f\n", best[2]);
    std::printf("  hooked / unhooked        %8.2fx (goal: at most 1.50x)\n", best[1] / best[0]);
    std::printf("  bare swap / unhooked     %8.2fx (the floor for any hook)\n", best[2] / best[0]);
    DestroyWindow(window);
    return 0;
}
