#pragma once

#include <windows.h>

#include <functional>

// The main window's own procedure in front of its form: the global F10 hot
// key, the tray icon's clicks and a new taskbar.
namespace ModMsg {

constexpr int kHotKeyId = 1000;

// What the main window is asked to do.
struct TrayActions {
    std::function<void()> popupMenu;
    // The taskbar was created (again): the tray icon must be added anew.
    std::function<void()> taskbarCreated;
};

// Registers F10 for the window (no repeats while held), lets the shell's
// TaskbarCreated through to it across integrity levels, and puts
// MainWndProc in front of its procedure. False when F10 could not be had
// (another program holds it).
bool HookMainWindow(HWND hWnd, TrayActions actions);
// Releases F10 and takes MainWndProc out again. When another procedure was
// put in front of it meanwhile, MainWndProc stays where it is and only
// passes messages on until the window goes.
void UnhookMainWindow(HWND hWnd);
LRESULT CALLBACK MainWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
// Hides a visible window (a minimised one counts as visible), shows a
// hidden one; the window state is not changed.
void ToggleWindow(HWND hWnd);

} // namespace ModMsg
