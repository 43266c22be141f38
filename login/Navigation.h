#pragma once

#include <string>

namespace login {

// One navigation request as the engine reports it.
struct Navigation {
    std::wstring url;
    // The top-level document navigates, not a frame.
    bool topLevel = true;
    // The address of the document that navigates (the frame's own for a
    // frame); empty before it has one.
    std::wstring documentUrl;
};

} // namespace login
