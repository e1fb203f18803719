#pragma once
// Qt adapter: what the desktop session and other processes ask of the running program.
//
// Implements: the session's end (SIGTERM, SIGINT, SIGHUP, and the session manager telling the
// application to quit) and the session manager's request to save (a checkpoint, or a logout that
// may yet be cancelled); and SIGUSR1, which a second start of the program sends to ask for the
// window. Signals reach the handlers through a socket pair, never inside the signal handler.
#include "platform/SessionEvents.h"

namespace vantoly::qt {

class QtForm;
class QtHost;

// Once, after the application is made; the handlers run through the form's dispatch.
void CatchSessionEvents(QtForm& form, const QtHost& host, SessionHandlers handlers);

} // namespace vantoly::qt
