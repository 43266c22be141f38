#include "forms/WindowIcon.h"

#include "forms/Application.h"

namespace forms {

namespace {

using ScaleDown = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);

// From the common controls the manifest names, found at the first icon:
// not loaded before the splash; absent before version 6.
ScaleDown FindScaleDown() {
    HMODULE controls = GetModuleHandleW(L"comctl32.dll");
    if (controls == nullptr) {
        controls = LoadLibraryW(L"comctl32.dll");
    }
    return controls == nullptr ? nullptr
                               : reinterpret_cast<ScaleDown>(reinterpret_cast<void*>(
                                     GetProcAddress(controls, "LoadIconWithScaleDown")));
}

} // namespace

IconHandle LoadWindowIcon(WORD id, WPARAM which) {
    const bool small = which == ICON_SMALL;
    const int width = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
    const int height = GetSystemMetrics(small ? SM_CYSMICON : SM_CYICON);
    const HINSTANCE module = Application::Instance();
    HICON icon = nullptr;
    if (const ScaleDown scaleDown = FindScaleDown();
        scaleDown == nullptr ||
        FAILED(scaleDown(module, MAKEINTRESOURCEW(id), width, height, &icon))) {
        icon = static_cast<HICON>(
            LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, 0));
    }
    return IconHandle(icon);
}

} // namespace forms
