#pragma once

#include <windows.h>

namespace forms {

// Tab and Shift+Tab, Enter and Esc as a dialog takes them, for the loops
// to call before a key message is translated. It acts only when the key's
// window is a push button (the system's or a skinned one) or the top-level
// window itself: a browser, an edit field or any control that asks for
// its keys keeps them. Tab moves among the top-level window's tab stops,
// Enter presses the button (BM_CLICK, so the button tells its own
// parent), Esc sends IDCANCEL to the top-level window. True when the key
// was taken; the loop then neither translates nor dispatches it.
bool TranslateDialogKey(const MSG& message);

} // namespace forms
