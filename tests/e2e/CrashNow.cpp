#include <windows.h>

// Calls through a null pointer, as a broken import would: the end-to-end
// harness must report it at once, naming the program.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    void (*volatile nothing)() = nullptr;
    nothing();
    return 0;
}
