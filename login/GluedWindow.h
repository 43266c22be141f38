#pragma once

#include <windows.h>

namespace login {

// Glues `follower` to `hWnd`: every move of `hWnd` moves `follower` to the
// same left and top. One window at a time.
void HookWindow(HWND hWnd, HWND follower);
void UnhookWindow(HWND hWnd);

} // namespace login
