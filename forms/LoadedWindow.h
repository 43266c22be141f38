#pragma once

namespace forms {

// A window as the application's loop keeps it: the program ends when the
// last loaded one unloads, and the loop deletes a retired one once no code
// of ours runs. A form owns its handle. Not a base class: a second base
// would give every form multiple-inheritance type information, which links
// the runtime's dynamic_cast machinery (about 3 KB) into the updater.
class LoadedWindow {
public:
    using Step = void (*)(void* window);

    LoadedWindow(void* window, Step unloadAtEnd, Step destroy)
        : window_(window), unloadAtEnd_(unloadAtEnd), destroy_(destroy) {}
    LoadedWindow(const LoadedWindow&) = delete;
    LoadedWindow& operator=(const LoadedWindow&) = delete;

    // The unload step the program's end runs, with no close question.
    void UnloadAtEnd() const { unloadAtEnd_(window_); }
    // Deletes the window that owns this handle.
    void Destroy() const { destroy_(window_); }

private:
    void* window_;
    Step unloadAtEnd_;
    Step destroy_;
};

} // namespace forms
