#pragma once

#include <windows.h>

#include <string>

namespace forms {

// Writes the bytes of a custom resource to a file, replacing what was there.
// A missing resource or a file that cannot be written gives false and leaves
// any existing file as it was.
bool SaveResToFile(WORD id, const wchar_t* type, const std::wstring& path);

} // namespace forms
