#include "login/GameWindow.h"

#include "forms/core/Binding.h"

namespace login {

void BindGameWindow(GameWindow* window) {
    forms::Binding<GameWindow>::Bind(window);
}

GameWindow* BoundGameWindow() {
    return forms::Binding<GameWindow>::Current();
}

} // namespace login
