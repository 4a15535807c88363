#pragma once

#include <functional>

// SIGTERM, SIGINT and SIGHUP taken by a thread of our own. The embedded
// database engine installs handlers for them that shut the engine down and
// leave the program running without its database; so the signals are
// blocked in every thread (threads started later inherit the mask) and
// waited for by one thread, which calls the handler there, once.
// Call first in main(), before any thread starts.
namespace TerminationSignals {

void install(std::function<void()> handler);

// For the desktop programs: close every window through the event loop, so
// that closing handlers (settings, module release) run as on a user's close.
void closeWindowsOnSignal();

} // namespace TerminationSignals
