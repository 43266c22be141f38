#include "startup/UpdateCheck.h"

#include "forms/Application.h"
#include "forms/Dialogs.h"
#include "forms/Handles.h"
#include "forms/ResourceFile.h"
#include "forms/ShellLaunch.h"
#include "forms/TempDir.h"
#include "game/Settings.h"
#include "game/Texts.h"
#include "resources/resource.h"
#include "update/CLumDownLoadFile.h"
#include "update/ManifestText.h"
#include "update/ManifestTrust.h"
#include "update/core/UpdateRules.h"

#include <optional>
#include <vector>

namespace {

// A stalled or hostile server must not hold the start.
constexpr DWORD kManifestTimeLimit = 15000;
constexpr wchar_t kCheckFailed[] = L"检查更新失败，请稍后再试！";

void Tell(const wchar_t* text) {
    forms::Dialogs::Message(
        {text, Texts::Notice, forms::MsgButtons::Ok, forms::MsgIcon::Exclamation});
}

} // namespace

bool StartUpdater() {
    const std::wstring updater = forms::GetTempDir() + L"Update.exe";
    const std::wstring argument = UpdateRules::UpdaterArgument(forms::Application::ExePath());
    const bool started = forms::SaveResToFile(IDR_UPDATE, L"UPDATE", updater) &&
                         forms::ShellLaunch::Launch({L"open", updater, argument});
    if (!started) {
        // Ending now would leave the player with neither client nor update.
        Tell(L"无法启动更新程序，请稍后再试！");
    }
    return started;
}

std::wstring LocalVersion() {
    const std::wstring exe = forms::Application::ExePath();
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), nullptr);
    std::vector<unsigned char> block(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (size == 0 || GetFileVersionInfoW(exe.c_str(), 0, size, block.data()) == FALSE ||
        VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) == FALSE) {
        return UpdateRules::VersionText(0, 0);
    }
    return UpdateRules::VersionText(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
}

bool RunUpdateCheck(CLumDownLoadFile& downloader, UpdateCheckMode mode,
                    const std::wstring& manifestUrl) {
    const std::wstring manifestPath = forms::GetTempDir() + L"update.txt";
    const std::wstring fetchedPath = forms::GetTempDir() + L"update.new";
    // A fetched manifest replaces the copy in place only once trusted, and
    // what was verified is what is read.
    downloader.SetLimits(kManifestTimeLimit, kManifestMaxBytes);
    std::optional<ManifestTrust::Verified> manifest;
    if (downloader.DownLoadFile(manifestUrl, fetchedPath, true, false)) {
        manifest = ManifestTrust::Read(fetchedPath, PublicData::GameCode);
        if (manifest && !CLumDownLoadFile::PutInPlace(fetchedPath, manifestPath)) {
            manifest.reset();
        }
        DeleteFileW(fetchedPath.c_str());
    }
    // Asked from the menu, a failed or untrusted fetch is said as such; at
    // start, the trusted copy from an earlier check still counts.
    if (!manifest && mode == UpdateCheckMode::Menu) {
        Tell(kCheckFailed);
        return false;
    }
    if (!manifest) {
        manifest = ManifestTrust::Read(manifestPath, PublicData::GameCode);
    }
    if (!manifest) {
        return false;
    }
    const std::optional<std::wstring> serverVersion = UpdateRules::ServerVersion(manifest->text);
    const std::wstring localVersion = LocalVersion();
    switch (UpdateRules::Decide(serverVersion, localVersion, mode == UpdateCheckMode::Menu,
                                ManifestTrust::OfferRule())) {
    case UpdateRules::Outcome::Silent:
        return false;
    case UpdateRules::Outcome::SayUpToDate:
        Tell(L"当前版本已是最新，无需更新！");
        return false;
    case UpdateRules::Outcome::SayFailed:
        Tell(kCheckFailed);
        return false;
    case UpdateRules::Outcome::OfferUpdate:
        break;
    }
    const std::wstring offer =
        L"发现有新版本，是否现在更新！（从 " + localVersion + L" 更新到 " + *serverVersion + L"）";
    const forms::MsgAnswer answer = forms::Dialogs::Message(
        {offer, Texts::Notice, forms::MsgButtons::YesNo, forms::MsgIcon::Question});
    return answer == forms::MsgAnswer::Yes && StartUpdater();
}
