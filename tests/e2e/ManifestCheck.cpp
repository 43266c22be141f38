#include "update/ManifestTrust.h"

// The start-up's trust check of one manifest file, for the end-to-end tests
// of a build configured with a signing key: exit code 0 trusted (the update
// would be offered), 1 not, 2 no file named.
int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        return 2;
    }
    return ManifestTrust::Trusted(argv[1]) ? 0 : 1;
}
