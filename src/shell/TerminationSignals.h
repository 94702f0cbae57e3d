// Ending the program when the session asks it to (logout, shutdown, Ctrl+C in
// the terminal it was started from): SIGTERM and SIGINT end it as the exit
// confirmation's "Yes" does, from the event loop rather than the handler.
#pragma once

namespace TerminationSignals {
// Installs the handlers; call once, after the application object exists.
void endProgramOnSignal();
}  // namespace TerminationSignals
