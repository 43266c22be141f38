#include "forms/ShellLaunch.h"

#include "forms/Application.h"
#include "forms/Handles.h"
#include "forms/Host.h"

#include <windows.h>

#include <shellapi.h>

namespace forms {

namespace {

class SystemLaunchHost final : public LaunchHost {
public:
    bool Launch(const LaunchRequest& request) override {
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof info;
        // Failures are reported by the caller, in its own words.
        info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
        info.lpVerb = request.verb.c_str();
        info.lpFile = request.file.c_str();
        info.lpParameters = request.parameters.empty() ? nullptr : request.parameters.c_str();
        info.nShow = SW_SHOWNORMAL;
        if (request.exitCode != nullptr) {
            info.fMask |= SEE_MASK_NOCLOSEPROCESS;
        }
        if (ShellExecuteExW(&info) == FALSE) {
            if (request.error != nullptr) {
                *request.error = GetLastError();
            }
            return false;
        }
        if (info.hProcess != nullptr) {
            const forms::UniqueHandle<HANDLE, forms::KernelHandleDeleter> process(info.hProcess);
            Wait(info.hProcess, *request.exitCode);
        }
        return true;
    }

private:
    static void Wait(HANDLE process, unsigned long& exitCode) {
        while (MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT) ==
               WAIT_OBJECT_0 + 1) {
            forms::Application::DoEvents();
        }
        DWORD code = 0;
        if (GetExitCodeProcess(process, &code) != FALSE) {
            exitCode = code;
        }
    }
};

// At namespace scope: constant-initialised, so no thread-safe static guard.
SystemLaunchHost systemHost;

} // namespace

LaunchHost& ShellLaunch::Host() {
    LaunchHost* installed = forms::Host::Current().launches;
    return installed != nullptr ? *installed : systemHost;
}

} // namespace forms
