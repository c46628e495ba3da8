#pragma once

#include <functional>

namespace ptlog {

// Calls `onEnd` on the window's thread when the session ends: SIGTERM,
// SIGHUP or SIGINT, or the session manager's request to save and quit.
void WatchSessionEnd(std::function<void()> onEnd);

}  // namespace ptlog
