// Composition root of the Windows program: the Win32 adapter and frmMain, wired together.
#include <cstdio>
#include <exception>

#include "app/Program.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32SessionEvents.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (const auto code = vantoly::win32::AnswerCommandLineInABox())
        return *code;
    try {
        vantoly::win32::Win32Platform platform(instance);
        return vantoly::RunProgram(platform.platform(), platform.form,
                                   {[&platform](vantoly::SessionHandlers handlers) {
                                        vantoly::win32::CatchSessionEvents(
                                            platform.form, platform.shell, std::move(handlers));
                                    },
                                    [&platform] { return platform.host.exitCode(); },
                                    [&platform] { return platform.form.run(); }});
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "Vantoly could not start: %s\n", failure.what());
        return 1;
    }
}
