#include "forms/Host.h"

namespace forms {

namespace {
// At namespace scope: no thread-safe static guard in the executables.
Host current;
} // namespace

Host& Host::Current() {
    return current;
}

} // namespace forms
