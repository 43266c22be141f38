#include <windows.h>

// Placeholder until the updater is written: starts, shows nothing, ends.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return 0;
}
