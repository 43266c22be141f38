#include "browser/BrowserEngine.h"
#include "controls/ButtonAccessible.h"
#include "forms/Application.h"
#include "forms/CallbackBoundary.h"
#include "forms/DialogKeys.h"
#include "forms/Gdiplus.h"
#include "forms/OleSession.h"
#include "forms/Picture.h"
#include "game/Settings.h"
#include "login/LoginWindows.h"
#include "mainwindow/BringForward.h"
#include "mainwindow/MainGameWindow.h"
#include "resources/Artwork.h"
#include "startup/ClientInstance.h"
#include "startup/ElevatedUpdate.h"
#include "startup/LoadFrm.h"

#include <windows.h>

#include <commctrl.h>

// A run is the start-up window and whatever it leads to. Run returns with
// every form unloaded and every engine released, so OLE and GDI+ go last.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return forms::GuardedEntry(L"wWinMain", [] {
        // As administrator for an update: the updater's copy, and nothing else.
        if (const std::optional<int> code = RunElevatedUpdate(forms::Application::Command())) {
            return *code;
        }
        // One client per game and folder; "/web" only opens the maker's site.
        ClientInstance instance(PublicData::GameCode, forms::Application::Path());
        if (forms::Application::Command() != L"/web" && !instance.Take()) {
            return 0;
        }
        // Up first: the splash picture is drawn on a worker from the start.
        const forms::GdiplusSession gdiplus;
        forms::Application::Start();
        forms::InstallArtwork(&resources::Artwork());
        const forms::OleSession ole;
        browser::SetEngineProfile(PublicData::GameCode);
        MainGameWindow::Bind();
        login::LoginWindows::Bind();
        const forms::Connection forward = instance.ComeForward.Connect(&BringClientForward);
        ButtonAccessible::Install();
        forms::Application::FilterKeysWith(&forms::TranslateDialogKey);
        LoadFrm::Instance().Show();
        // Loaded once the splash is up, which needs none of them.
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        const int code = forms::Application::Run();
        instance.Leave();
        return code;
    });
}
