#pragma once

#include <functional>

class QObject;

namespace platform {

// Calls `handler` on the thread of `context` (the GUI thread) each time the system
// asks the program to end: SIGTERM, SIGINT and SIGHUP on Linux; Ctrl+C, Ctrl+Break and
// closing the console on Windows, whose log-off and shut-down reach a GUI program as
// the session manager's request instead (QGuiApplication::commitDataRequest). Nothing
// is called once `context` is gone. Meant to be called once per process.
void onTerminationRequest(QObject* context, std::function<void()> handler);

} // namespace platform
