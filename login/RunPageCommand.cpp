#include "login/RunPageCommand.h"

#include "login/LoginScreen.h"
#include "login/PageCommand.h"
#include "mainwindow/WebMainFrm.h"

namespace login {

void RunPageCommand(const std::wstring& url, bool& cancel) {
    const PageCommand command = ParsePageCommand(url);
    switch (command.kind) {
    case PageCommandKind::ExitGame:
        cancel = true;
        CloseLoginScreen();
        break;
    case PageCommandKind::Minimize:
        cancel = true;
        MinimizeLoginScreen();
        break;
    case PageCommandKind::LoadGame:
        if (!command.gameUrl) {
            // Nothing to open: the player stays on the login screen.
            cancel = true;
            break;
        }
        {
            // Loaded before the login windows go, so that a window stays
            // loaded throughout and the program does not end.
            WebMainFrm& main = WebMainFrm::Instance();
            CloseLoginScreen();
            main.SetURL(*command.gameUrl);
            main.Show();
        }
        break;
    case PageCommandKind::None:
        break;
    }
}

} // namespace login
