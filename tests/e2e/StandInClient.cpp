#include <windows.h>

#include <string>

// Stands in for the client in the updater's end-to-end tests: notes that it
// was started in "started.txt" beside itself. With "/hold N" it first keeps
// its own file open for N seconds, as an exiting client still does.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring tail = arguments;
    if (tail.rfind(L"/hold ", 0) == 0) {
        HANDLE file =
            CreateFileW(self, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        Sleep(static_cast<DWORD>(_wtoi(tail.c_str() + 6)) * 1000);
        CloseHandle(file);
        return 0;
    }
    std::wstring note = self;
    note = note.substr(0, note.find_last_of(L'\\') + 1) + L"started.txt";
    HANDLE file = CreateFileW(note.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              0, nullptr);
    const char line[] = "started\r\n";
    DWORD written = 0;
    WriteFile(file, line, sizeof line - 1, &written, nullptr);
    CloseHandle(file);
    return 0;
}
