#include "browser/core/Navigation.h"

namespace browser {

NavigationFailure FailureOfStatus(long status) {
    const bool httpStatus = status >= 100 && status <= 599;
    return httpStatus ? NavigationFailure::ErrorPage : NavigationFailure::NoPage;
}

} // namespace browser
