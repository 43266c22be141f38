#include "forms/ShellLaunch.h"

#include <windows.h>
#include <shellapi.h>

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
        return ShellExecuteExW(&info) != FALSE;
    }
};

} // namespace

LaunchHost& ShellLaunch::Host() {
    static SystemLaunchHost system;
    return installed_ != nullptr ? *installed_ : system;
}
