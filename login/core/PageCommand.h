#pragma once

#include "browser/core/Navigation.h"
#include "browser/core/OperatorHosts.h"

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

// The command the address starts with, in any letter case:
// "app://exitgame" or "app://minimize" followed by nothing, "/" or "?",
// or "app://loadgame|" followed by the address. Elsewhere in an address
// the text is no command.
PageCommand ParsePageCommand(const std::wstring& url);

// Any "app:" address: it never reaches the system's handlers.
bool IsAppAddress(const std::wstring& url);

// A game address: http: or https: on an operator host, at most
// browser::kMaxWebAddressLength characters.
bool IsGameAddress(const std::wstring& url, const browser::OperatorHosts& hosts);

// Whether the login window's top document may go where the navigation
// leads: frames anywhere; the top document only to an operator page (or
// run a javascript: address in place). The borderless login window shows
// no address, so any other page in it could pass for the operator's.
bool KeepsLoginOnOperatorHosts(const browser::Navigation& navigation,
                               const browser::OperatorHosts& hosts);

struct PageCommandDecision {
    bool cancel = false;
    // None unless the command is honoured; LoadGame always with an address.
    PageCommand command;
};

// A command counts only when every document of the browser is on an
// operator host: nothing tells which of them started the navigation, so an
// advert frame anywhere on the page silences the page's commands.
PageCommandDecision DecidePageCommand(const browser::Navigation& navigation,
                                      const browser::OperatorHosts& hosts);

} // namespace login
