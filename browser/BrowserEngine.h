#pragma once

#include "browser/IBrowser.h"

#include <windows.h>

#include <memory>

namespace browser {

// The engine behind CreateBrowser: defined once, by the engine library an
// executable links (tavrin_engine_ie or tavrin_engine_preview).
std::unique_ptr<IBrowser> CreateEngine(HWND container);

} // namespace browser
