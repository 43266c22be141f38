#pragma once

#include "browser/core/Navigation.h"

namespace login {

// Acts on a navigation request of the login browser, top document or frame,
// when an operator's document gives a page command (see DecidePageCommand):
// "app://exitgame" closes the login screen, "app://minimize" minimises it,
// "app://loadgame|<address>" closes it and opens the address in the game
// window. Every "app:" request is cancelled; a refused load leaves the
// player on the login screen.
void RunPageCommand(const browser::Navigation& navigation, bool& cancel);

} // namespace login
