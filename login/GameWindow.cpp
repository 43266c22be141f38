#include "login/GameWindow.h"

namespace login {

namespace {
GameWindow* bound = nullptr;
} // namespace

void BindGameWindow(GameWindow* window) {
    bound = window;
}

GameWindow* BoundGameWindow() {
    return bound;
}

} // namespace login
