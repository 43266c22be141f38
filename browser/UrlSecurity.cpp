#include "browser/UrlSecurity.h"

#include <windows.h>

#include <urlmon.h>

namespace browser {

bool LockDownUrlSecurity() {
    constexpr INTERNETFEATURELIST kFeatures[] = {
        FEATURE_ZONE_ELEVATION,
        FEATURE_LOCALMACHINE_LOCKDOWN,
        FEATURE_RESTRICT_FILEDOWNLOAD,
        FEATURE_RESTRICT_ACTIVEXINSTALL,
        FEATURE_DISABLE_MK_PROTOCOL,
        FEATURE_MIME_HANDLING,
        FEATURE_HTTP_USERNAME_PASSWORD_DISABLE,
        FEATURE_BLOCK_INPUT_PROMPTS,
        FEATURE_WINDOW_RESTRICTIONS,
    };
    bool all = true;
    for (const INTERNETFEATURELIST feature : kFeatures) {
        all = SUCCEEDED(CoInternetSetFeatureEnabled(feature, SET_FEATURE_ON_PROCESS, TRUE)) && all;
    }
    return all;
}

} // namespace browser
