#include "tests/win32/TestWindows.h"

#include "forms/Bstr.h"
#include "forms/ComPtr.h"
#include "forms/TempDir.h"

#include <oleacc.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace testing_support {

namespace {
bool quitRequested = false;
// The longest nap between checks: a condition may change on another thread
// without a message to this one.
constexpr DWORD kCheckIntervalMs = 10;
} // namespace

void DrainPosted() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quitRequested = true;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& pred, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        DrainPosted();
        if (pred()) {
            return true;
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) {
            return false;
        }
        const DWORD nap = static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, kCheckIntervalMs));
        MsgWaitForMultipleObjectsEx(0, nullptr, nap, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

bool TakeQuitRequest() {
    const bool requested = quitRequested;
    quitRequested = false;
    return requested;
}

HWND CreatePlainWindow(int x, int y, int width, int height) {
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TavrinTestPlain";
        return RegisterClassW(&wc);
    }();
    (void)atom;
    return CreateWindowExW(0, L"TavrinTestPlain", L"plain", WS_POPUP, x, y, width, height, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

forms::MsgAnswer ScriptedDialogs::Message(const forms::MessageRequest& request) {
    messages.push_back(request);
    if (answers.empty()) {
        return forms::MsgAnswer::Ok;
    }
    const forms::MsgAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedDialogs::Modal(forms::Form& form, forms::Form* /*owner*/) {
    modalForms.push_back(&form);
    if (answerModal) {
        answerModal(form);
    }
}

bool ClickMiddleOf(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    const HWND shown = WindowFromPoint(at);
    if (shown == nullptr || (shown != control && IsChild(control, shown) == FALSE)) {
        return false;
    }
    ClickWindowAt(shown, at);
    return true;
}

void ClickWindowAt(HWND target, POINT at) {
    SetCursorPos(at.x, at.y);
    ScreenToClient(target, &at);
    const LPARAM position = MAKELPARAM(at.x, at.y);
    SendMessageW(target, WM_MOUSEMOVE, 0, position);
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, position);
    if (IsWindow(target)) {
        SendMessageW(target, WM_LBUTTONUP, 0, position);
    }
}

std::vector<unsigned char> ReadFileBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::wstring& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void ForgetStartupManifest() {
    const std::wstring manifest = forms::GetTempDir() + L"update.txt";
    SetFileAttributesW(manifest.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(manifest.c_str());
}

std::pair<std::wstring, long> ReaderView(HWND window) {
    forms::ComPtr<IAccessible> object;
    const HRESULT found =
        AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(object.put()));
    if (FAILED(found)) {
        return {L"(no object: " + std::to_wstring(static_cast<unsigned long>(found)) + L")", 0};
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    forms::Bstr name;
    object->get_accName(self, name.put());
    VARIANT role{};
    object->get_accRole(self, &role);
    return {name.str(), role.vt == VT_I4 ? role.lVal : -1};
}

forms::Connections& Held() {
    static forms::Connections held;
    return held;
}

} // namespace testing_support
