// Composition root of the Windows program: the Win32 adapter and frmMain. When the session ends
// (logging off, shutting down) the program quits as the Quit button does, so a note is never
// lost; when Explorer restarts the tray icon is added again; a second start shows the window.
// What is typed reaches the recovery journal, so a crash or a power cut loses nothing either.
#include "app/Settings.h"
#include "app/frmMain.h"
#include "platform/win32/Win32Platform.h"

#include <cstdio>
#include <exception>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    try {
        vantoly::win32::Win32Platform platform(instance);
        vantoly::frmMain form(platform.platform());
        platform.form.connectEvents(&form, [&platform](const char* what) {
            platform.host.reportProblem(std::string("Vantoly: ") + what);
        });
        platform.form.setMessageHook(
            [&platform, &form](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
                if (platform.shell.taskbarMessage(message))
                    return 0;
                if (message == vantoly::win32::Win32Host::activateMessage()) {
                    platform.form.dispatch([&form] { form.BringToFront(); });
                    return 0;
                }
                if (message == WM_QUERYENDSESSION)
                    return TRUE;
                if (message == WM_ENDSESSION) {
                    // Windows may end the process as soon as this returns: save first.
                    if (wParam)
                        platform.form.dispatch([&form] { form.SessionEnd(); });
                    return 0;
                }
                return std::nullopt;
            });

        platform.form.afterNoteEdits(vantoly::kAutosaveDelayMs, [&platform, &form] {
            platform.settings.journal(std::u16string(vantoly::kSection),
                                      std::u16string(vantoly::NoteKey(form.CurrentNote)),
                                      platform.form.text(vantoly::Control::txtNote));
        });

        form.Form_Initialize();
        form.Form_Load();
        if (auto code = platform.host.exitCode())
            return *code;
        const int code = platform.form.run();
        return platform.host.exitCode().value_or(code);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "Vantoly could not start: %s\n", failure.what());
        return 1;
    }
}
