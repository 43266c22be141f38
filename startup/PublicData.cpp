#include "startup/PublicData.h"

#include "forms/CallbackBoundary.h"
#include "forms/Handles.h"

namespace PublicData {

namespace {

WNDPROC OldWndProc = nullptr;
HWND GluedWindow = nullptr;

bool WriteWholeFile(const std::wstring& path, const void* bytes, DWORD size) {
    forms::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    DWORD written = 0;
    return WriteFile(file.get(), bytes, size, &written, nullptr) != FALSE && written == size;
}

} // namespace

bool SaveResToFile(WORD id, const wchar_t* type, const std::wstring& path) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    HGLOBAL loaded = info != nullptr ? LoadResource(module, info) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return false;
    }
    // Written beside the target and moved over it, so a failure never
    // leaves half a file where a good one was.
    const std::wstring partial = path + L".partial";
    if (!WriteWholeFile(partial, bytes, SizeofResource(module, info)) ||
        MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) == FALSE) {
        DeleteFileW(partial.c_str());
        return false;
    }
    return true;
}

void HookWindow(HWND hWnd, HWND follower) {
    GluedWindow = follower;
    OldWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LoginBgWndProc)));
}

void UnhookWindow(HWND hWnd) {
    SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldWndProc));
    GluedWindow = nullptr;
}

LRESULT CALLBACK LoginBgWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const WNDPROC previous = OldWndProc;
    return forms::Guarded(
        L"LoginBgWndProc",
        [&] {
            if (uMsg == WM_MOVE && GluedWindow != nullptr) {
                RECT r{};
                GetWindowRect(hWnd, &r);
                SetWindowPos(GluedWindow, nullptr, r.left, r.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            return CallWindowProcW(previous, hWnd, uMsg, wParam, lParam);
        },
        [&] { return CallWindowProcW(previous, hWnd, uMsg, wParam, lParam); });
}

} // namespace PublicData
