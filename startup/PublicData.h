#pragma once

#include "startup/Settings.h"

#include <windows.h>

#include <string>

namespace PublicData {

// The user's temporary directory, ending in one backslash.
std::wstring GetTempDir();

// Writes the bytes of a custom resource to a file, replacing what was there.
// A missing resource or a file that cannot be written gives false and leaves
// any existing file as it was.
bool SaveResToFile(WORD id, const wchar_t* type, const std::wstring& path);

// Glues `follower` to `hWnd`: every move of `hWnd` moves `follower` to the
// same left and top. One window at a time.
void HookWindow(HWND hWnd, HWND follower);
void UnhookWindow(HWND hWnd);
LRESULT CALLBACK LoginBgWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

} // namespace PublicData
