#include "forms/Application.h"
#include "mainwindow/MainGameWindow.h"
#include "startup/LoadFrm.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

// A run is the start-up window and whatever it leads to.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    MainGameWindow::Bind();
    LoadFrm::Instance().Show();
    const int exitCode = forms::Application::Run();

    OleUninitialize();
    return exitCode;
}
