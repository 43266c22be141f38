#pragma once

namespace browser {

// Turns on, for this process only and without touching the registry, the
// platform control's own URL-security features: no zone elevation, the
// local machine zone locked down, no file downloads or ActiveX installs
// offered, no mk: protocol, MIME types checked, no user names or passwords
// in addresses, no script input prompts, pop-up windows restricted. False
// when the platform refused any of them.
bool LockDownUrlSecurity();

} // namespace browser
