#pragma once
// Win32 adapter: what Windows and other processes ask of the running program.
//
// Implements: the session's end (WM_ENDSESSION after the program agreed to WM_QUERYENDSESSION,
// as at logging off, shutting down, or an installer's Restart Manager closing it), Explorer's
// restart (TaskbarCreated, after which the tray icon is added again), and the message a second
// start posts to ask for the window. Windows has no request to save and stay: save is not called.
#include "platform/SessionEvents.h"

namespace vantoly::win32 {

class Win32Form;
class Win32ShellTray;

// Once, before the message loop runs; the handlers run through the form's dispatch.
void CatchSessionEvents(Win32Form& form, Win32ShellTray& shell, SessionHandlers handlers);

} // namespace vantoly::win32
