#include "controls/ButtonAccessible.h"
#include "forms/Application.h"
#include "forms/CallbackBoundary.h"
#include "forms/Picture.h"
#include "resources/Artwork.h"
#include "updater/UpdateFrm.h"

#include <windows.h>

#include <commctrl.h>

namespace {

// Windows 7 has the call only with its update KB2533623: looked up, not imported.
void LimitDllSearch() {
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    const auto set = reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (set == nullptr || set(LOAD_LIBRARY_SEARCH_SYSTEM32) == FALSE) {
        SetDllDirectoryW(L""); // at least not the current directory
    }
}

} // namespace

// The updater is its one window: started by the client with the install
// directory and the client's path, it ends when the window unloads.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The updater may run elevated from a folder the user can write to:
    // whatever is loaded from now on (WinINet, bcrypt and oleacc are delay-loaded)
    // comes from the system directory.
    return forms::GuardedEntry(L"wWinMain", [] {
        LimitDllSearch();
        forms::Application::Start();
        forms::InstallArtwork(&resources::Artwork());
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        ButtonAccessible::Install();
        UpdateFrm::Instance();
        forms::Application::Run();
        return UpdateFrm::ExitCode();
    });
}
