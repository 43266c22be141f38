#pragma once

#include <windows.h>

#include <string>

namespace forms {

// Facts about the running executable.
class Executable {
public:
    static HINSTANCE Instance();
    static std::wstring FullPath(); // its full file name
    static std::wstring Folder();   // its folder, without a trailing backslash
    static std::wstring Name();     // its file name without ".exe"
    static std::wstring Command();  // the argument string
};

} // namespace forms
