#include <windows.h>

#ifdef BARE_WITH_CHECKS
#include "forms/Internet.h"
#endif
#ifdef BARE_WITH_SPLASH
#include "forms/Application.h"
#include "forms/Gdiplus.h"
#include "forms/LayeredPicture.h"
#include "forms/Picture.h"
#include "forms/PngResource.h"
#include "resource.h"
#include "resources/Artwork.h"
#endif

// The yardstick for start-up time: a plain window and a message loop. Built
// with BARE_WITH_CHECKS, it first does only the network work that must come
// before the client's splash: the online test and the manifest download.
// With BARE_WITH_SPLASH as well, the window then shows the splash picture
// through the client's own picture steps, in one pass on one thread, and
// nothing else: the least a splash can cost.
namespace {

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

#ifdef BARE_WITH_CHECKS
void RunChecks() {
    DWORD flags = 0;
    if (InternetGetConnectedState(&flags, 0) == FALSE) {
        return;
    }
    const forms::InternetHandle internet(
        InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    const forms::InternetHandle request(internet
                                            ? InternetOpenUrlW(internet.get(), BARE_MANIFEST_URL,
                                                               nullptr, 0, INTERNET_FLAG_RELOAD, 0)
                                            : nullptr);
    char buffer[4096];
    DWORD got = 0;
    while (request && InternetReadFile(request.get(), buffer, sizeof buffer, &got) != FALSE &&
           got != 0) {
    }
}
#endif

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef BARE_WITH_CHECKS
    RunChecks();
#endif
#ifdef BARE_WITH_SPLASH
    // The client's own picture steps, at the screen's DPI.
    forms::Application::TakeScreenDpi();
    forms::InstallArtwork(&resources::Artwork());
    const forms::GdiplusSession gdiplus;
    const forms::PngResource png = forms::LoadPngResource(IDR_PNG_SPLASH, L"PNG");
    const forms::LayeredPicture picture = forms::DrawLayeredPng(png);
#endif
    WNDCLASSW wc{};
    wc.lpfnWndProc = BareProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"BareWindow";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"BareWindow", L"BareWindow", WS_POPUP, 100,
                                  100, 356, 122, nullptr, nullptr, instance, nullptr);
#ifdef BARE_WITH_SPLASH
    SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    forms::PushLayered(window, picture);
#endif
    ShowWindow(window, SW_SHOW);
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageW(&msg);
    }
    return 0;
}
