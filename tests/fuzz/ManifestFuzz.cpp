// The update manifest as the client and the updater read it: the version
// rule, the file lines, their names and "sha256=" fields.
#include "tests/fuzz/FuzzText.h"
#include "update/core/UpdateRules.h"
#include "update/core/UpdaterRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring manifest = fuzz::WideText(fuzz::Bytes(data, size));
    const std::optional<std::wstring> version = UpdateRules::ServerVersion(manifest);
    UpdateRules::Decide(version, L"1.1.0", true);
    for (const UpdaterRules::FileLine& line : UpdaterRules::FileLines(manifest)) {
        // A line that may reach the disk names a safe file from a web address.
        fuzz::Require(line.refused || UpdaterRules::IsSafeFileName(line.name));
        fuzz::Require(line.refused || line.url.find(L"://") != std::wstring::npos);
        fuzz::Require(line.name == UpdaterRules::GetFileName(line.url));
    }
    return 0;
}
