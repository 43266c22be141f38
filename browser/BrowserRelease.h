#pragma once

#include "browser/IBrowser.h"

#include <memory>

namespace browser {

// Releases a browser now or, while code runs on behalf of the system (one
// of the browser's own events, say), once control is back in the message
// loop: an engine must not be destroyed under its own event.
void ReleaseBrowser(std::unique_ptr<IBrowser> browser);

} // namespace browser
