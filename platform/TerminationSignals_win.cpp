#include "platform/TerminationSignals.h"

// Windows has no SIGTERM to close a window by: it ends a session with
// messages, which Qt turns into the window's close event by itself.
void closeOnTerminationSignals(QWidget &) { }
