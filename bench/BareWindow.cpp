#include <windows.h>

#ifdef BARE_WITH_CHECKS
#include <wininet.h>
#endif
#ifdef BARE_WITH_SPLASH
#include <objidl.h>
#include <gdiplus.h>

#include "resource.h"

#include <cstring>
#endif

// The yardstick for start-up time: a plain window and a message loop. Built
// with BARE_WITH_CHECKS, it first does only the network work that must come
// before the client's splash: the online test and the manifest download.
// With BARE_WITH_SPLASH as well, the window then shows the splash picture,
// decoded and pushed in one pass: the least a splash can cost.
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
    HINTERNET internet = InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET request = internet ? InternetOpenUrlW(internet, BARE_MANIFEST_URL, nullptr, 0,
                                                    INTERNET_FLAG_RELOAD, 0)
                                 : nullptr;
    char buffer[4096];
    DWORD got = 0;
    while (request && InternetReadFile(request, buffer, sizeof buffer, &got) != FALSE && got != 0) {
    }
    if (request) {
        InternetCloseHandle(request);
    }
    if (internet) {
        InternetCloseHandle(internet);
    }
}
#endif

#ifdef BARE_WITH_SPLASH
// The splash resource decoded by GDI+ into a bitmap drawn over transparent
// black, which is the premultiplied form the layered window takes.
HBITMAP SplashPicture(HINSTANCE instance, SIZE& size) {
    const HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDR_PNG_SPLASH), L"PNG");
    const DWORD bytes = SizeofResource(instance, found);
    const HGLOBAL block = GlobalAlloc(GMEM_FIXED, bytes);
    std::memcpy(block, LockResource(LoadResource(instance, found)), bytes);
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(block, TRUE, &stream);
    Gdiplus::GpBitmap* png = nullptr;
    Gdiplus::DllExports::GdipCreateBitmapFromStream(stream, &png);
    HBITMAP picture = nullptr;
    Gdiplus::DllExports::GdipCreateHBITMAPFromBitmap(png, &picture, 0);
    UINT width = 0;
    UINT height = 0;
    Gdiplus::DllExports::GdipGetImageWidth(png, &width);
    Gdiplus::DllExports::GdipGetImageHeight(png, &height);
    size = {static_cast<LONG>(width), static_cast<LONG>(height)};
    Gdiplus::DllExports::GdipDisposeImage(png);
    stream->Release();
    return picture;
}

void ShowPicture(HWND window, HBITMAP picture, SIZE size) {
    SetWindowLongW(window, GWL_EXSTYLE, GetWindowLongW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HGDIOBJ before = SelectObject(memory, picture);
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(window, screen, nullptr, &size, memory, &origin, 0, &blend, ULW_ALPHA);
    SelectObject(memory, before);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}
#endif

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef BARE_WITH_CHECKS
    RunChecks();
#endif
#ifdef BARE_WITH_SPLASH
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    SIZE size{};
    const HBITMAP picture = SplashPicture(instance, size);
#endif
    WNDCLASSW wc{};
    wc.lpfnWndProc = BareProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"BareWindow";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"BareWindow", L"BareWindow", WS_POPUP, 100,
                                  100, 356, 122, nullptr, nullptr, instance, nullptr);
#ifdef BARE_WITH_SPLASH
    ShowPicture(window, picture, size);
#endif
    ShowWindow(window, SW_SHOW);
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageW(&msg);
    }
#ifdef BARE_WITH_SPLASH
    DeleteObject(picture);
    Gdiplus::GdiplusShutdown(token);
#endif
    return 0;
}
