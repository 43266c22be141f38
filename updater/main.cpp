#include "forms/Application.h"
#include "updater/UpdateFrm.h"

#include <windows.h>
#include <commctrl.h>

// The updater is its one window: started by the client with the install
// directory and the client's path, it ends when the window unloads.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    UpdateFrm::Instance();
    return forms::Application::Run();
}
