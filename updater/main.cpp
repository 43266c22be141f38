#include "forms/Application.h"
#include "updater/UpdateFrm.h"

#include <windows.h>
#include <commctrl.h>

// The updater is its one window: started by the client with the install
// directory and the client's path, it ends when the window unloads.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The updater may run elevated from a folder the user can write to:
    // whatever is loaded from now on comes from the system directory.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    UpdateFrm::Instance();
    forms::Application::Run();
    return UpdateFrm::ExitCode();
}
