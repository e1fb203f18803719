// Composition root of the Windows program: the Win32 adapter and frmMain, wired together.
#include <cstdio>
#include <exception>
#include <string>

#include "app/frmMain.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32SessionEvents.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (const auto code = vantoly::win32::AnswerCommandLineInABox())
        return *code;
    try {
        vantoly::win32::Win32Platform platform(instance);
        vantoly::frmMain form(platform.platform());
        platform.form.connectEvents(&form, [&platform](const char* what) {
            platform.host.reportProblem(std::string("Vantoly: ") + what);
        });
        vantoly::win32::CatchSessionEvents(platform.form, platform.shell,
                                           {[&form] { form.SessionSave(); },
                                            [&form] { form.SessionEnd(); },
                                            [&form] { form.BringToFront(); }});

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
