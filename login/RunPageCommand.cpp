#include "login/RunPageCommand.h"

#include "game/Settings.h"
#include "login/GameWindow.h"
#include "login/LoginScreen.h"
#include "login/core/PageCommand.h"

namespace login {

namespace {

void LoadGame(const std::wstring& url) {
    GameWindow* game = BoundGameWindow();
    if (game == nullptr) {
        return;
    }
    // Loaded before the login windows go, so that a window stays loaded
    // throughout and the program does not end.
    game->Load();
    CloseLoginScreen();
    game->Open(url);
}

} // namespace

void RunPageCommand(const browser::Navigation& navigation, bool& cancel) {
    const PageCommandDecision decision = DecidePageCommand(navigation, PublicData::OperatorHosts());
    cancel = cancel || decision.cancel;
    switch (decision.command.kind) {
    case PageCommandKind::ExitGame:
        CloseLoginScreen();
        break;
    case PageCommandKind::Minimize:
        MinimizeLoginScreen();
        break;
    case PageCommandKind::LoadGame:
        LoadGame(*decision.command.gameUrl);
        break;
    case PageCommandKind::None:
        break;
    }
}

} // namespace login
