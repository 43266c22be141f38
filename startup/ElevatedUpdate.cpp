#include "startup/ElevatedUpdate.h"

#include "forms/Application.h"
#include "forms/ResourceFile.h"
#include "forms/ShellLaunch.h"
#include "forms/core/Text.h"
#include "resources/resource.h"
#include "update/FileSteps.h"
#include "update/core/UpdaterRules.h"

namespace {

constexpr int kFailed = static_cast<int>(UpdaterRules::kElevatedCopyFailed);

} // namespace

std::optional<int> RunElevatedUpdate(const std::wstring& command) {
    const std::optional<std::wstring> tail = UpdaterRules::ElevatedUpdateArgument(command);
    if (!tail) {
        return std::nullopt;
    }
    // Only this client's own folder, and only for an elevated copy's work.
    const std::optional<UpdaterRules::Argument> argument = UpdaterRules::SplitArgument(*tail);
    const std::wstring own = forms::Application::Path() + L"\\";
    if (!argument || !argument->elevated || !forms::EqualsNoCase(argument->dir, own)) {
        return kFailed;
    }
    const std::wstring copy = own + UpdaterRules::kElevatedCopyName;
    unsigned long exitCode = UpdaterRules::kElevatedCopyFailed;
    const bool ran = forms::SaveResToFile(IDR_UPDATE, L"UPDATE", copy) &&
                     forms::ShellLaunch::Launch({L"open", copy, *tail, &exitCode});
    FileSteps::RemoveFile(copy);
    return ran ? static_cast<int>(exitCode) : kFailed;
}
