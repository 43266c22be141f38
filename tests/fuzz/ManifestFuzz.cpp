// The update manifest as the client and the updater read it: the version
// rules, the file lines, their names and "sha256=" fields, and what a
// signed one must hold.
#include "tests/fuzz/FuzzText.h"
#include "update/core/SignedManifest.h"
#include "update/core/UpdateRules.h"
#include "update/core/UpdaterRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring manifest = fuzz::WideText(fuzz::Bytes(data, size));
    const std::optional<std::wstring> version = UpdateRules::ServerVersion(manifest);
    for (const auto rule :
         {UpdateRules::VersionRule::AnyOther, UpdateRules::VersionRule::HigherOnly}) {
        UpdateRules::Decide(version, L"1.1.0", true, rule);
    }
    const bool whole = SignedManifest::Whole(manifest, L"brnq2");
    for (const UpdaterRules::FileLine& line : UpdaterRules::FileLines(manifest)) {
        // A whole signed manifest binds every file it installs.
        fuzz::Require(!whole || line.sha256.has_value());
        // A line that may reach the disk names a safe file from a web address.
        fuzz::Require(line.refused || UpdaterRules::IsSafeFileName(line.name));
        fuzz::Require(line.refused || line.url.find(L"://") != std::wstring::npos);
        fuzz::Require(line.name == UpdaterRules::GetFileName(line.url));
    }
    return 0;
}
