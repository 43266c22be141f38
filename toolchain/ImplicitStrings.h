// Included before every C++ source of the MinGW builds. libstdc++ declares
// its std::string and std::wstring instantiations extern and links them
// whole, each in one object (about 35 KB apiece) whatever is used. Its
// special value -1 drops just those declarations, so that only the members
// a program uses are compiled into it.
#pragma once

#include <bits/c++config.h>

#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE -1
