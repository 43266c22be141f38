// Apart from the other rules: a build without a signing key links none of it.
#include "update/core/SignedManifest.h"

#include "update/core/UpdateRules.h"
#include "update/core/UpdaterRules.h"

#include <algorithm>
#include <string>

namespace SignedManifest {

bool Whole(std::wstring_view manifest, std::wstring_view game) {
    const std::wstring gameLine = L"game=" + std::wstring(game);
    bool afterVersion = false;
    bool namesGame = false;
    UpdateRules::ForEachLine(manifest, [&](std::wstring_view line) {
        if (afterVersion) {
            namesGame = line == gameLine;
            return false;
        }
        afterVersion = UpdateRules::NamesAVersion(line);
        return true;
    });
    const std::vector<UpdaterRules::FileLine> lines = UpdaterRules::FileLines(manifest);
    return namesGame &&
           std::all_of(lines.begin(), lines.end(),
                       [](const UpdaterRules::FileLine& line) { return line.sha256.has_value(); });
}

} // namespace SignedManifest
