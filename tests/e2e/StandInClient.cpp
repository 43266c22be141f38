#include <windows.h>

#include <string>

namespace {

// Appends a line to `name` beside the executable `self`.
void Note(const std::wstring& self, const wchar_t* name) {
    const std::wstring note = self.substr(0, self.find_last_of(L'\\') + 1) + name;
    HANDLE file = CreateFileW(note.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              0, nullptr);
    const char line[] = "started\r\n";
    DWORD written = 0;
    WriteFile(file, line, sizeof line - 1, &written, nullptr);
    CloseHandle(file);
}

} // namespace

// Stands in for the client in the updater's end-to-end tests: notes that it
// was started in "started.txt" beside itself. With "/hold N [FILE]" it first
// keeps its own file (or FILE) open for N seconds, as an exiting client
// still does, noting in "holding.txt" that it holds it. "/ping CAPTION" asks the window of that
// caption for an answer within 2 seconds: exit code 0 answered, 1 hung, 2 no such window.
// "/end-session CAPTION" asks it, as a log-off does, whether the session may end, within
// 2 seconds, then tells it the outcome: exit code 0 yes, 3 no, 1 no answer, 2 no such window.
// "/foreground CAPTION": exit code 0 when that window is the foreground window, 1 when another
// is, 2 when there is no such window.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring tail = arguments;
    // One argument with a space arrives quoted as a whole.
    if (tail.size() >= 2 && tail.front() == L'"' && tail.back() == L'"') {
        tail = tail.substr(1, tail.size() - 2);
    }
    if (tail.rfind(L"/ping ", 0) == 0) {
        const HWND window = FindWindowW(nullptr, tail.c_str() + 6);
        DWORD_PTR result = 0;
        return window == nullptr ? 2
               : SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) != 0
                   ? 0
                   : 1;
    }
    if (tail.rfind(L"/foreground ", 0) == 0) {
        const HWND window = FindWindowW(nullptr, tail.c_str() + 12);
        return window == nullptr ? 2 : GetForegroundWindow() == window ? 0 : 1;
    }
    if (tail.rfind(L"/end-session ", 0) == 0) {
        const HWND window = FindWindowW(nullptr, tail.c_str() + 13);
        DWORD_PTR answer = 0;
        if (window == nullptr) {
            return 2;
        }
        if (SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                                2000, &answer) == 0) {
            return 1;
        }
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(window, WM_ENDSESSION, answer != 0 ? TRUE : FALSE, ENDSESSION_LOGOFF,
                            SMTO_ABORTIFHUNG, 5000, &ignored);
        return answer != 0 ? 0 : 3;
    }
    if (tail.rfind(L"/hold ", 0) == 0) {
        wchar_t* rest = nullptr;
        const DWORD seconds = wcstoul(tail.c_str() + 6, &rest, 10);
        std::wstring other = rest != nullptr && *rest == L' ' ? rest + 1 : L"";
        // A path with spaces arrives quoted.
        if (other.size() >= 2 && other.front() == L'"' && other.back() == L'"') {
            other = other.substr(1, other.size() - 2);
        }
        HANDLE file = CreateFileW(other.empty() ? self : other.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            Note(self, L"holding.txt");
        }
        Sleep(seconds * 1000);
        CloseHandle(file);
        return 0;
    }
    Note(self, L"started.txt");
    return 0;
}
