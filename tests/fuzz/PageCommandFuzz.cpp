// What pages and other programs hand the main window: the login page's
// app:// addresses, DDE execute blocks and new-window requests.
#include "browser/core/ExternalUrl.h"
#include "browser/core/NavigationPolicy.h"
#include "login/core/PageCommand.h"
#include "mainwindow/core/DdeText.h"
#include "tests/fuzz/FuzzText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring url = fuzz::WideText(fuzz::Bytes(data, size));
    const login::PageCommand command = login::ParsePageCommand(url);
    fuzz::Require(!command.gameUrl || command.kind == login::PageCommandKind::LoadGame);
    IsForDefaultBrowser(url);
    // No command address ever reaches the system.
    fuzz::Require(!login::IsAppAddress(url) ||
                  browser::RouteNavigation(url) != browser::NavigationRoute::Allow);
    const std::wstring ddeText = DdeCommandText(data, size);
    fuzz::Require(ddeText.size() <= size / 2);
    fuzz::Require(ddeText.find(L'\0') == std::wstring::npos);
    return 0;
}
