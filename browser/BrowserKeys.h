#pragma once

#include <windows.h>

#include <ole2.h>

namespace browser {

// The hosted control handles its own keys (Tab between fields, clipboard
// keys) only when it sees them before they are dispatched. A message hook
// on this thread offers it every keyboard message for a window inside its
// host, whichever message loop runs.
class BrowserKeys {
public:
    // The caller holds the control from Add until after Remove.
    static void Add(HWND host, IOleInPlaceActiveObject* control);
    static void Remove(HWND host);

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void Offer(MSG& message);
};

} // namespace browser
