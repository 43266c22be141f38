#pragma once

#include <functional>
#include <string>

namespace forms {

// Hands a document or address to the program the user chose for it (the
// default browser for web addresses). The one way out to other programs,
// so that tests can record instead of starting them.
class Shell {
public:
    using Opener = std::function<void(const std::wstring& file, const std::wstring& parameters)>;

    static void Open(const std::wstring& file, const std::wstring& parameters = std::wstring());
    // Replaces the opener; an empty one puts the system's back.
    static void Install(Opener opener);
};

} // namespace forms
