#include "game/Settings.h"
#include "update/ManifestTrust.h"
#include "update/core/UpdateRules.h"

// The start-up's check of one manifest file against a client of the given
// version, for the end-to-end tests of a build configured with a signing
// key: exit code 0 the update would be offered, 1 not, 2 wrong arguments.
int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        return 2;
    }
    const std::optional<ManifestTrust::Verified> manifest =
        ManifestTrust::Read(argv[1], PublicData::GameCode);
    const bool offered =
        manifest &&
        UpdateRules::Decide(UpdateRules::ServerVersion(manifest->text), argv[2], false,
                            ManifestTrust::OfferRule()) == UpdateRules::Outcome::OfferUpdate;
    return offered ? 0 : 1;
}
