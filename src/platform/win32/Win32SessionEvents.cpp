#include "platform/win32/Win32SessionEvents.h"

#include "platform/win32/Win32Form.h"
#include "platform/win32/Win32Host.h"
#include "platform/win32/Win32ShellTray.h"

namespace vantoly::win32 {

void CatchSessionEvents(Win32Form& form, Win32ShellTray& shell, SessionHandlers handlers) {
    form.setMessageHook([&form, &shell, handlers = std::move(handlers)](
                            UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (shell.taskbarMessage(message))
            return 0;
        if (message == Win32Host::activateMessage()) {
            form.dispatch(handlers.activate);
            return 0;
        }
        if (message == WM_QUERYENDSESSION)
            return TRUE;
        if (message == WM_ENDSESSION) {
            // Windows may end the process as soon as this returns: save first.
            if (wParam)
                form.dispatch(handlers.end);
            return 0;
        }
        return std::nullopt;
    });
}

} // namespace vantoly::win32
