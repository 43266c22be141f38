#pragma once

#include "browser/IBrowser.h"

#include <windows.h>

#include <memory>
#include <string>

namespace browser {

// The engine behind CreateBrowser: defined once, by the engine library an
// executable links (tavrin_engine_ie or tavrin_engine_preview).
std::unique_ptr<IBrowser> CreateEngine(HWND container);

// The game's name for what an engine keeps on disk (a profile folder),
// set once at start; "Tavrin" until then.
void SetEngineProfile(const std::wstring& name);
const std::wstring& EngineProfile();

} // namespace browser
