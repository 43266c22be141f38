#pragma once

#include <string>

// Whether this process may create files in `dir` (a folder under Program
// Files may refuse a user who is not elevated).
bool CanWriteTo(const std::wstring& dir);

// Whether this process already runs with full administrative rights.
bool RunsElevated();
