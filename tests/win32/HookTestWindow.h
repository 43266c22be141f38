#pragma once

#include <windows.h>

#include <vector>

namespace testing_support {

// A window whose own procedure writes down what reaches it. Messages from
// WM_APP on are answered with their offset from WM_APP times 100 plus the
// low byte of wParam, so results and arguments can be traced.
class HookTestWindow {
public:
    HookTestWindow();
    ~HookTestWindow();
    HookTestWindow(const HookTestWindow&) = delete;
    HookTestWindow& operator=(const HookTestWindow&) = delete;

    HWND hWnd() const { return window_; }
    WNDPROC OwnProcedure() const;
    int Received(UINT message) const;
    const std::vector<UINT>& Messages() const { return received_; }
    WPARAM LastWParam() const { return lastWParam_; }

    static LRESULT Answer(UINT message, WPARAM wParam) {
        return static_cast<LRESULT>((message - WM_APP) * 100 + (wParam & 0xFF));
    }

private:
    static LRESULT CALLBACK Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::vector<UINT> received_;
    WPARAM lastWParam_ = 0;
};

} // namespace testing_support
