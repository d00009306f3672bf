#pragma once

namespace platform {

// A TCP port on 127.0.0.1 that nothing listens on at this moment (bind to port 0 and
// read the port back), or -1. Free only at the moment of the check: whoever binds it
// next must do so soon. Qt-free, so the Windows version is checked by the cross-build.
int findFreePort();

} // namespace platform
