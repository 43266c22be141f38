#pragma once

#include <optional>
#include <string>

namespace login {

// The commands the login page gives by navigating to an "app://" address.
enum class PageCommandKind { None, ExitGame, Minimize, LoadGame };

struct PageCommand {
    PageCommandKind kind = PageCommandKind::None;
    // LoadGame only: the address between the first and the second "|";
    // empty when the page gave none.
    std::optional<std::wstring> gameUrl;
};

// Case-sensitive substring tests on the whole address, in a fixed order:
// exit, then minimise, then load; the first match decides.
PageCommand ParsePageCommand(const std::wstring& url);

} // namespace login
