#pragma once

namespace forms {

// A window as the application's loop keeps it: the program ends when the
// last loaded one unloads, and the loop deletes a retired one once no code
// of ours runs.
class LoadedWindow {
public:
    virtual ~LoadedWindow() = default;
    // The unload step the program's end runs, with no close question.
    virtual void UnloadAtEnd() = 0;
};

} // namespace forms
