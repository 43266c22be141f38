#pragma once

#include <string>

namespace login {

// Acts on a navigation request of the login browser (top document or
// frame): "app://exitgame" closes the login screen, "app://minimize"
// minimises it, "app://loadgame|<address>" closes it and opens the address
// in the main window. Cancel is set for the first two. A load command
// without an address leaves the login screen up and cancels the request.
void RunPageCommand(const std::wstring& url, bool& cancel);

} // namespace login
