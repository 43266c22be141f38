// The setup's look at an install folder before it changes anything, and
// the uninstaller's: whether the client runs from it, whether an update
// works on it, and an unfinished update, settled by the client's own
// recovery. Started with the client's full path; the exit code says which.
#include "forms/Application.h"
#include "forms/CallbackBoundary.h"
#include "forms/Handles.h"
#include "update/InstallRecovery.h"

#include <windows.h>

namespace {

enum Code : int { Ready = 0, BadArgument = 1, ClientRuns = 2, UpdateRuns = 3, Unfinished = 4 };

// A program's image cannot be opened for writing while it runs, whatever
// share mode is asked for: this holds for every version of the client.
bool Running(const std::wstring& client) {
    const forms::FileHandle file(CreateFileW(client.c_str(), GENERIC_WRITE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                             nullptr, OPEN_EXISTING, 0, nullptr));
    return !file && GetLastError() == ERROR_SHARING_VIOLATION;
}

int Check(std::wstring client) {
    if (client.size() >= 2 && client.front() == L'"' && client.back() == L'"') {
        client = client.substr(1, client.size() - 2);
    }
    const std::size_t slash = client.rfind(L'\\');
    // A full path of a file in a folder: "C:\...\name" or "\\server\...\name".
    const bool full = client.size() > 3 && ((client[1] == L':' && client[2] == L'\\') ||
                                            (client[0] == L'\\' && client[1] == L'\\'));
    if (!full || slash == std::wstring::npos || slash + 1 == client.size()) {
        return BadArgument;
    }
    if (Running(client)) {
        return ClientRuns;
    }
    const std::wstring dir = client.substr(0, slash + 1);
    if (GetFileAttributesW(dir.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return Ready; // nothing installed there yet
    }
    switch (InstallRecovery::Recover(dir)) {
    case InstallRecovery::Outcome::Settled:
        return Ready;
    case InstallRecovery::Outcome::Busy:
        return UpdateRuns;
    default:
        return Unfinished;
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return forms::GuardedEntry(L"wWinMain", [] { return Check(forms::Application::Command()); });
}
